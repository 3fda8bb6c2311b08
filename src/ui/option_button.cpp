#include "ui/option_button.h"

#include <QKeyEvent>

#include <algorithm>

#include "ui/option_button_accessible.h"

namespace cdr {

OptionButton::OptionButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {
    setAutoExclusive(false);
    installOptionButtonAccessibility();
}

void OptionButton::setOn(bool on) {
    setChecked(on);
    if (!on || parentWidget() == nullptr) {
        return;
    }
    for (auto* other : parentWidget()->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly)) {
        if (other != this) {
            other->setChecked(false);
        }
    }
}

void OptionButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool forward = key == Qt::Key_Down || key == Qt::Key_Right;
    const bool backward = key == Qt::Key_Up || key == Qt::Key_Left;
    if ((!forward && !backward) || parentWidget() == nullptr) {
        QRadioButton::keyPressEvent(event);
        return;
    }
    QList<OptionButton*> group;
    for (auto* option : parentWidget()->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly)) {
        if (option->isEnabled() && option->isVisibleTo(parentWidget())) group.append(option);
    }
    std::sort(group.begin(), group.end(), [](const OptionButton* a, const OptionButton* b) {
        return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
    const auto count = group.size();
    const auto position = group.indexOf(this);
    OptionButton* next = group[(position + (forward ? 1 : count - 1)) % count];
    next->setFocus(Qt::TabFocusReason);
    // As a click would: the option turns on and the user's change is reported.
    next->click();
    event->accept();
}

void OptionButton::nextCheckState() {
    if (!isChecked()) {
        setOn(true);
    }
}

}  // namespace cdr
