#include "fake_main_view.h"

#include <algorithm>

#include "presenter/control_table.h"

namespace cdr::test {

FakeMainView::FakeMainView() {
    for (const ControlSpec& spec : mainWindowControls()) {
        ControlState state;
        state.text = std::u16string(spec.caption, spec.caption + std::char_traits<char>::length(spec.caption));
        state.visible = !spec.hidden;
        shown.emplace(spec.name, std::move(state));
    }
}

ControlState& FakeMainView::push(std::string_view call, std::string_view control) {
    calls.push_back(std::string(call) + " " + std::string(control));
    return shown.at(std::string(control));
}

template <typename Value>
void FakeMainView::change(std::string_view call, std::string_view control, Value ControlState::*member, Value value) {
    ControlState& state = push(call, control);
    if (state.*member == value) {
        ++redundantPushes;
    }
    state.*member = std::move(value);
}

void FakeMainView::setText(std::string_view control, std::u16string_view text) {
    change("setText", control, &ControlState::text, std::u16string(text));
}

void FakeMainView::setStatus(std::u16string_view text, std::u16string_view fileName) {
    change("setStatus", "txtMsg", &ControlState::text, statusWithFileName(text, fileName));
    statusFileName = fileName;
}

void FakeMainView::appendItem(std::string_view control, std::u16string_view item) {
    push("appendItem", control).items.emplace_back(item);
}

void FakeMainView::setCheck(std::string_view control, CheckState state) {
    change("setCheck", control, &ControlState::check, state);
}

void FakeMainView::setEnabled(std::string_view control, bool enabled) {
    change("setEnabled", control, &ControlState::enabled, enabled);
}

void FakeMainView::setVisible(std::string_view control, bool visible) {
    change("setVisible", control, &ControlState::visible, visible);
}

// As a list box does, the selection is kept unless it is past the new end.
void FakeMainView::setItems(std::string_view control, const std::vector<std::u16string>& items) {
    change("setItems", control, &ControlState::items, items);
    ControlState& state = shown.at(std::string(control));
    if (state.selectedIndex >= static_cast<int>(items.size())) {
        state.selectedIndex = -1;
    }
}

void FakeMainView::setSelectedIndex(std::string_view control, int index) {
    change("setSelectedIndex", control, &ControlState::selectedIndex, index);
}

void FakeMainView::setFocus(std::string_view control) {
    calls.push_back("setFocus " + std::string(control));
    focused = control;
}

void FakeMainView::setTimer(std::string_view control, bool armed, int intervalMs) {
    ControlState& state = push("setTimer", control);
    if (state.timerArmed == armed && state.timerIntervalMs == intervalMs) {
        ++redundantPushes;
    }
    state.timerArmed = armed;
    state.timerIntervalMs = intervalMs;
}

std::optional<std::string> FakeMainView::chooseSettingsFile(FileDialogKind kind) {
    dialogsShown.push_back(kind);
    return dialogAnswer;
}

void FakeMainView::userChecks(std::string_view control, CheckState state) {
    shown.at(std::string(control)).check = state;
    const auto table = mainWindowControls();
    const auto self = std::ranges::find(table, control, &ControlSpec::name);
    if (self->kind != ControlKind::OptionButton || state != kChecked) {
        return;
    }
    for (const ControlSpec& spec : table) {
        if (spec.kind == ControlKind::OptionButton && std::string_view(spec.container) == self->container &&
            spec.name != control) {
            shown.at(spec.name).check = kUnchecked;
        }
    }
}

}  // namespace cdr::test
