#include <algorithm>

#include "presenter/main_presenter.h"

namespace cdr {

// The options of a group in the order of the table, which is their order on screen.
std::vector<ControlId> MainPresenter::optionGroupOf(ControlId option) const {
    std::vector<ControlId> group;
    for (const ControlSpec& spec : mainWindowControls()) {
        const ControlId id = ControlId::of(spec);
        if (spec.kind == ControlKind::OptionButton && containerOf(id) == containerOf(option)) {
            group.push_back(id);
        }
    }
    return group;
}

// Exactly one option of a group is on once one is turned on; turning one off touches no other.
void MainPresenter::setOption(ControlId id, bool on) {
    const CheckState check = on ? kChecked : kUnchecked;
    if (hold(held(id).check, check)) {
        view_.setCheck(id, check);
    }
    if (on) {
        for (const ControlId other : optionGroupOf(id)) {
            if (other != id && hold(held(other).check, kUnchecked)) {
                view_.setCheck(other, kUnchecked);
            }
        }
    }
    updateTabStop(id);
}

void MainPresenter::updateTabStop(ControlId option) {
    const std::vector<ControlId> group = optionGroupOf(option);
    const auto on = std::ranges::find_if(group, [this](ControlId id) { return control(id).check == kChecked; });
    const ControlId stop = on == group.end() ? group.front() : *on;
    for (const ControlId id : group) {
        setTabStop(id, id == stop);
    }
}

void MainPresenter::stepOption(ControlId option, bool forward) {
    std::vector<ControlId> group = optionGroupOf(option);
    std::erase_if(group, [this, option](ControlId id) { return id != option && !usable(id); });
    const auto count = static_cast<std::ptrdiff_t>(group.size());
    const std::ptrdiff_t position = std::ranges::find(group, option) - group.begin();
    const ControlId next = group[static_cast<std::size_t>((position + (forward ? 1 : count - 1)) % count)];
    setOption(next, true);
    view_.setFocus(next);
}

}  // namespace cdr
