#include "ui/check_box.h"

namespace cdr {

CheckBox::CheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) { setTristate(true); }

CheckState CheckBox::value() const {
    switch (checkState()) {
    case Qt::Checked:
        return kChecked;
    case Qt::PartiallyChecked:
        return kGrayed;
    case Qt::Unchecked:
        break;
    }
    return kUnchecked;
}

bool CheckBox::setValue(CheckState state) {
    switch (state) {
    case kUnchecked:
        setCheckState(Qt::Unchecked);
        return true;
    case kChecked:
        setCheckState(Qt::Checked);
        return true;
    case kGrayed:
        setCheckState(Qt::PartiallyChecked);
        return true;
    default:
        return false;
    }
}

// A click on a grayed box ticks it, as a click on an empty one does.
void CheckBox::nextCheckState() { setCheckState(value() == kChecked ? Qt::Unchecked : Qt::Checked); }

}  // namespace cdr
