#pragma once

#include "presenter/control_table.h"

namespace cdr::win32 {

// Whether a control of the table takes keyboard focus and the user's input, as opposed to frames, labels, the
// timer and the file dialog.
inline bool takesInput(const ControlSpec& spec) {
    using enum ControlKind;
    return spec.kind == TextField || spec.kind == CheckBox || spec.kind == OptionButton || spec.kind == Button ||
           spec.kind == DropDownList || spec.kind == ListBox;
}

}  // namespace cdr::win32
