#pragma once

#include <string>
#include <vector>

#include "presenter/control_table.h"
#include "settings/reader_settings.h"

namespace cdr {

// What the presenter holds of one control of the main window; its view shows exactly this. Each control uses the
// members that fit its kind.
struct ControlState {
    // A caption, or the text of a label or text field.
    std::u16string text;
    // A check box's state, or an option button's: kChecked when it is on.
    CheckState check = kUnchecked;
    bool enabled = true;
    bool visible = true;
    // Whether Tab stops at it; only one option of a group is a tab stop.
    bool tabStop = true;
    // The items of a list and the selected one (-1: none).
    std::vector<std::u16string> items;
    int selectedIndex = -1;
    // Where it lies: as the table loads it, widened to its caption, or moved by the diagnostic panel's layout.
    TwipsRect place;
    // A timer: armed or stopped, and its interval.
    bool timerArmed = false;
    int timerIntervalMs = 0;

    bool operator==(const ControlState&) const = default;
};

// Keeps a new value of one member of a control's state: true when it changed it, and the view is to be told.
template <typename Member, typename Value>
bool hold(Member& member, const Value& value) {
    if (member == value) {
        return false;
    }
    member = value;
    return true;
}

}  // namespace cdr
