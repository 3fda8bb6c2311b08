#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "ui/check_box.h"
#include "ui/frm_main.h"
#include "ui/option_button.h"

namespace cdr {

// The signals of every change of a value are followed, whatever made it: a click, a key, assistive technology
// (toggle, set text) or a paste. Those the presenter's own changes raise are not reported back.
void frmMain::connectEvents(ControlId id, QObject* control) {
    if (auto* box = qobject_cast<CheckBox*>(control)) {
        connect(box, &CheckBox::stateChanged, this, [this, box, id] {
            if (MainPresenter* presenter = listener()) presenter->checkChanged(id, box->value());
        });
    } else if (auto* option = qobject_cast<OptionButton*>(control)) {
        connect(option, &OptionButton::toggled, this, [this, id](bool on) {
            if (MainPresenter* presenter = listener()) presenter->checkChanged(id, on ? kChecked : kUnchecked);
        });
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
        connect(button, &QPushButton::clicked, this, [this, id] {
            if (MainPresenter* presenter = listener()) presenter->clicked(id);
        });
    } else if (auto* field = qobject_cast<QLineEdit*>(control)) {
        connect(field, &QLineEdit::textChanged, this, [this, id](const QString& text) {
            if (MainPresenter* presenter = listener()) presenter->textEdited(id, text.toStdU16String());
        });
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        connect(list, &QComboBox::currentIndexChanged, this, [this, id](int index) {
            if (MainPresenter* presenter = listener()) presenter->selectedIndexChanged(id, index);
        });
    } else if (auto* timer = qobject_cast<QTimer*>(control)) {
        connect(timer, &QTimer::timeout, this, [this, id] { presenter_->timerElapsed(id); });
    }
    if (qobject_cast<QAbstractButton*>(control) != nullptr) {
        control->installEventFilter(this);
    }
}

// The arrow keys on a button, check box or option button go to the presenter and nowhere else.
bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool forward = key == Qt::Key_Down || key == Qt::Key_Right;
    const bool backward = key == Qt::Key_Up || key == Qt::Key_Left;
    const auto found = std::ranges::find(controls_, watched);
    if ((!forward && !backward) || found == controls_.end()) {
        return QWidget::eventFilter(watched, event);
    }
    presenter_->arrowKey(ControlId::at(static_cast<std::size_t>(found - controls_.begin())), forward);
    return true;
}

// The window's font changes with the desktop's after its controls' fonts did: the presenter fits what it fitted to
// the old measures again.
void frmMain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && presenter_) {
        if (isActiveWindow()) {
            presenter_->windowActivated();
        } else {
            presenter_->windowDeactivated();
        }
    } else if (event->type() == QEvent::FontChange && presenter_) {
        presenter_->metricsChanged();
    }
    QWidget::changeEvent(event);
}

}  // namespace cdr
