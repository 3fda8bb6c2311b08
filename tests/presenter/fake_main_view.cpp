#include "fake_main_view.h"

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

ControlState& FakeMainView::push(std::string_view call, ControlId control) {
    calls.push_back(std::string(call) + " " + std::string(control.name()));
    return shown.at(std::string(control.name()));
}

template <typename Value>
void FakeMainView::change(std::string_view call, ControlId control, Value ControlState::*member, Value value) {
    ControlState& state = push(call, control);
    if (state.*member == value) {
        ++redundantPushes;
    }
    state.*member = std::move(value);
}

void FakeMainView::setText(ControlId control, std::u16string_view text) {
    change("setText", control, &ControlState::text, std::u16string(text));
}

void FakeMainView::setStatus(std::u16string_view shownText, std::u16string_view whole) {
    change("setStatus", "txtMsg", &ControlState::text, std::u16string(whole));
    statusShown = shownText;
}

void FakeMainView::appendItem(ControlId control, std::u16string_view item) {
    push("appendItem", control).items.emplace_back(item);
}

void FakeMainView::setCheck(ControlId control, CheckState state) {
    change("setCheck", control, &ControlState::check, state);
}

void FakeMainView::setEnabled(ControlId control, bool enabled) {
    change("setEnabled", control, &ControlState::enabled, enabled);
}

void FakeMainView::setVisible(ControlId control, bool visible) {
    change("setVisible", control, &ControlState::visible, visible);
}

void FakeMainView::setTabStop(ControlId control, bool tabStop) {
    change("setTabStop", control, &ControlState::tabStop, tabStop);
}

// As a list box does, the selection is kept unless it is past the new end.
void FakeMainView::setItems(ControlId control, const std::vector<std::u16string>& items) {
    ControlState& state = push("setItems", control);
    if (state.items == items) {
        ++redundantPushes;
    }
    state.items = items;
    if (state.selectedIndex >= static_cast<int>(items.size())) {
        state.selectedIndex = -1;
    }
}

void FakeMainView::setSelectedIndex(ControlId control, int index) {
    change("setSelectedIndex", control, &ControlState::selectedIndex, index);
}

void FakeMainView::setFocus(ControlId control) {
    calls.push_back("setFocus " + std::string(control.name()));
    focused = control;
}

void FakeMainView::setTimer(ControlId control, bool armed, int intervalMs) {
    ControlState& state = push("setTimer", control);
    if (state.timerArmed == armed && state.timerIntervalMs == intervalMs) {
        ++redundantPushes;
    }
    state.timerArmed = armed;
    state.timerIntervalMs = intervalMs;
}

void FakeMainView::place(ControlId control, TwipsRect rect) {
    calls.push_back("place " + std::string(control.name()));
    placed[std::string(control.name())] = rect;
}

void FakeMainView::setClientSize(int widthTwips, int heightTwips) { client = {0, 0, widthTwips, heightTwips}; }

std::optional<std::string> FakeMainView::chooseSettingsFile(FileDialogKind kind) {
    dialogsShown.push_back(kind);
    return dialogAnswer;
}

}  // namespace cdr::test
