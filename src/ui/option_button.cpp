#include "ui/option_button.h"

#include "ui/option_button_accessible.h"

namespace cdr {

OptionButton::OptionButton(const QString& text, QWidget* parent) : QRadioButton(text, parent) {
    setAutoExclusive(false);
    installOptionButtonAccessibility();
}

void OptionButton::nextCheckState() { setChecked(true); }

}  // namespace cdr
