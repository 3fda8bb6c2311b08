#include "ui/option_button.h"

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

void OptionButton::nextCheckState() {
    if (!isChecked()) {
        setOn(true);
    }
}

}  // namespace cdr
