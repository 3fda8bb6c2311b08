#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "ui/check_box.h"
#include "ui/frm_main.h"
#include "ui/option_button.h"

namespace cdr {

// Only signals that the user's actions raise are followed (clicked, textEdited, activated), never those of a
// change the presenter made (stateChanged, textChanged, currentIndexChanged).
void frmMain::connectEvents(const std::string& name, QObject* control) {
    if (auto* box = qobject_cast<CheckBox*>(control)) {
        connect(box, &CheckBox::clicked, this, [this, box, name] { presenter_->checkChanged(name, box->value()); });
    } else if (auto* option = qobject_cast<OptionButton*>(control)) {
        connect(option, &OptionButton::clicked, this, [this, option, name] {
            if (option->isChecked()) {
                presenter_->checkChanged(name, kChecked);
            }
        });
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
        connect(button, &QPushButton::clicked, this, [this, name] { presenter_->clicked(name); });
    } else if (auto* field = qobject_cast<QLineEdit*>(control)) {
        connect(field, &QLineEdit::textEdited, this,
                [this, name](const QString& text) { presenter_->textEdited(name, text.toStdU16String()); });
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        connect(list, &QComboBox::activated, this,
                [this, name](int index) { presenter_->selectedIndexChanged(name, index); });
    } else if (auto* timer = qobject_cast<QTimer*>(control)) {
        connect(timer, &QTimer::timeout, this, [this, name] { presenter_->timerElapsed(name); });
    }
}

}  // namespace cdr
