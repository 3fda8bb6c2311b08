#include "presenter/main_presenter.h"

#include <utility>

#include "presenter/control_table.h"
#include "presenter/status_fit.h"

namespace cdr {

namespace {

// The table's captions are ASCII.
std::u16string asciiText(std::string_view text) { return {text.begin(), text.end()}; }

}  // namespace

MainPresenter::MainPresenter(MainView& view, hid::HidPlatform& platform)
    : view_(view), platform_(platform), link_(platform, *this) {
    for (const ControlSpec& spec : mainWindowControls()) {
        ControlState state;
        state.text = asciiText(spec.caption);
        state.visible = !spec.hidden;
        state.place = spec.rect();
        states_.push_back(std::move(state));
    }
    applySettings(factorySettings());
    layOut();
}

MainPresenter::BusyWhileWaiting::BusyWhileWaiting(MainPresenter& presenter) : presenter_(presenter) {
    presenter_.busy_ = true;
    presenter_.view_.setBusy(true);
}

// The view drops the input that arrived during the wait before the presenter listens again.
MainPresenter::BusyWhileWaiting::~BusyWhileWaiting() {
    presenter_.view_.setBusy(false);
    presenter_.busy_ = false;
}

void MainPresenter::setText(ControlId id, std::u16string_view text) {
    if (hold(held(id).text, text)) {
        view_.setText(id, text);
    }
}

void MainPresenter::setCheck(ControlId id, CheckState check) {
    if (hold(held(id).check, check)) {
        view_.setCheck(id, check);
        runSentinelRuleOf(id);
    }
}

void MainPresenter::setEnabled(ControlId id, bool enabled) {
    if (hold(held(id).enabled, enabled)) {
        view_.setEnabled(id, enabled);
    }
}

void MainPresenter::setTabStop(ControlId id, bool tabStop) {
    if (hold(held(id).tabStop, tabStop)) {
        view_.setTabStop(id, tabStop);
    }
}

void MainPresenter::setItems(ControlId id, std::vector<std::u16string> items) {
    ControlState& state = held(id);
    if (state.items != items) {
        state.items = std::move(items);
        if (state.selectedIndex >= static_cast<int>(state.items.size())) {
            state.selectedIndex = -1;
        }
        view_.setItems(id, state.items);
    }
}

void MainPresenter::setSelectedIndex(ControlId id, int index) {
    if (hold(held(id).selectedIndex, index)) {
        view_.setSelectedIndex(id, index);
    }
}

void MainPresenter::setTimer(ControlId id, bool armed, int intervalMs) {
    ControlState& state = held(id);
    if (state.timerArmed != armed || state.timerIntervalMs != intervalMs) {
        state.timerArmed = armed;
        state.timerIntervalMs = intervalMs;
        view_.setTimer(id, armed, intervalMs);
    }
}

void MainPresenter::runSentinelRuleOf(ControlId checkBox) {
    if (checkBox == ControlId("chkStart")) {
        chkStart_Click();
    } else if (checkBox == ControlId("chkEnd")) {
        chkEnd_Click();
    }
}

bool MainPresenter::usable(ControlId id) const {
    for (std::optional<ControlId> at = id; at; at = containerOf(*at)) {
        if (!control(*at).enabled || !control(*at).visible) {
            return false;
        }
    }
    return true;
}

bool MainPresenter::takesFocus(ControlId id) const {
    switch (id.spec().kind) {
    case ControlKind::TextField:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::Button:
    case ControlKind::DropDownList:
    case ControlKind::ListBox:
        return usable(id);
    default:
        return false;
    }
}

void MainPresenter::showMessage(std::u16string_view text) { showFileMessage(text, {}); }

// The presenter holds the whole text; the label shows it fitted to its one line.
void MainPresenter::showFileMessage(std::u16string_view text, std::u16string_view fileName) {
    std::u16string whole = statusWithFileName(text, fileName);
    if (control(kStatus).text == whole) {
        return;
    }
    held(kStatus).text = std::move(whole);
    statusText_ = text;
    statusFileName_ = fileName;
    statusShown_ = fittedStatus();
    view_.setStatus(statusShown_, control(kStatus).text);
}

std::u16string MainPresenter::fittedStatus() const {
    return fitStatusText(statusText_, statusFileName_, view_.textRoom(kStatus),
                         [this](std::u16string_view line) { return view_.textWidth(kStatus, line); });
}

}  // namespace cdr
