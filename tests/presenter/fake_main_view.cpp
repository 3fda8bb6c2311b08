#include "fake_main_view.h"

#include "presenter/control_table.h"

namespace cdr::test {

FakeMainView::FakeMainView() {
    for (const ControlSpec& spec : mainWindowControls()) {
        ControlState state;
        state.text = std::u16string(spec.caption, spec.caption + std::char_traits<char>::length(spec.caption));
        state.visible = !spec.hidden;
        state.place = spec.rect();
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

// Fitted again to other measures, the label may show another text for the same whole text.
void FakeMainView::setStatus(std::u16string_view shownText, std::u16string_view whole) {
    ControlState& state = push("setStatus", "txtMsg");
    if (state.text == whole && statusShown == shownText) {
        ++redundantPushes;
    }
    state.text = whole;
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

int FakeMainView::captionWidth(ControlId control, std::u16string_view) const {
    const auto found = captionWidths.find(control.name());
    return found == captionWidths.end() ? 0 : found->second;
}

void FakeMainView::place(ControlId control, TwipsRect rect) { change("place", control, &ControlState::place, rect); }

void FakeMainView::setClientSize(int widthTwips, int heightTwips) { client = {0, 0, widthTwips, heightTwips}; }

std::optional<std::string> FakeMainView::chooseSettingsFile(FileDialogKind kind) {
    dialogsShown.push_back(kind);
    return dialogAnswer;
}

}  // namespace cdr::test
