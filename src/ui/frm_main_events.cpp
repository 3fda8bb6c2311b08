#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "presenter/control_table.h"
#include "ui/check_box.h"
#include "ui/frm_main.h"
#include "ui/option_button.h"

namespace cdr {

// Only signals that the user's actions raise are followed (clicked, textEdited, activated), never those of a
// change the presenter made (stateChanged, textChanged, currentIndexChanged).
void frmMain::connectEvents() {
    for (const ControlSpec& spec : mainWindowControls()) {
        const std::string name = spec.name;
        QObject* target = byName(name);
        MainPresenter* presenter = presenter_.get();
        if (auto* box = qobject_cast<CheckBox*>(target)) {
            connect(box, &CheckBox::clicked, this,
                    [presenter, box, name] { presenter->checkChanged(name, box->value()); });
        } else if (auto* option = qobject_cast<OptionButton*>(target)) {
            connect(option, &OptionButton::clicked, this, [presenter, option, name] {
                if (option->isChecked()) {
                    presenter->checkChanged(name, kChecked);
                }
            });
        } else if (auto* button = qobject_cast<QPushButton*>(target)) {
            connect(button, &QPushButton::clicked, this, [presenter, name] { presenter->clicked(name); });
        } else if (auto* field = qobject_cast<QLineEdit*>(target)) {
            connect(field, &QLineEdit::textEdited, this,
                    [presenter, name](const QString& text) { presenter->textEdited(name, text.toStdU16String()); });
        } else if (auto* list = qobject_cast<QComboBox*>(target)) {
            connect(list, &QComboBox::activated, this,
                    [presenter, name](int index) { presenter->selectedIndexChanged(name, index); });
        } else if (auto* timer = qobject_cast<QTimer*>(target)) {
            connect(timer, &QTimer::timeout, this, [presenter, name] { presenter->timerElapsed(name); });
        }
    }
}

}  // namespace cdr
