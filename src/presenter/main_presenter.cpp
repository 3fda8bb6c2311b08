#include "presenter/main_presenter.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

#include "presenter/control_names.h"
#include "presenter/control_table.h"

namespace cdr {

namespace {

// The table's captions are ASCII.
std::u16string asciiText(std::string_view text) { return {text.begin(), text.end()}; }

const ControlSpec& specOf(std::size_t index) { return mainWindowControls()[index]; }

}  // namespace

MainPresenter::MainPresenter(MainView& view, hid::HidPlatform& platform)
    : view_(view), platform_(platform), link_(platform, *this) {
    const auto controls = mainWindowControls();
    states_.reserve(controls.size());
    for (std::size_t index = 0; index < controls.size(); ++index) {
        ControlState state;
        state.text = asciiText(controls[index].caption);
        state.visible = !controls[index].hidden;
        states_.push_back(std::move(state));
        indices_.emplace(controls[index].name, index);
    }
    applySettings(factorySettings());
}

const ControlState& MainPresenter::control(std::string_view name) const { return states_.at(indexOf(name)); }

std::size_t MainPresenter::indexOf(std::string_view name) const {
    const auto found = indices_.find(name);
    return found == indices_.end() ? states_.size() : found->second;
}

ControlState& MainPresenter::held(std::string_view name) { return states_.at(indexOf(name)); }

void MainPresenter::setText(std::string_view name, std::u16string_view text) {
    ControlState& state = held(name);
    if (state.text != text) {
        state.text = text;
        view_.setText(name, text);
    }
}

void MainPresenter::setCheck(std::string_view name, CheckState check) {
    ControlState& state = held(name);
    if (state.check != check) {
        state.check = check;
        view_.setCheck(name, check);
        runSentinelRuleOf(name);
    }
}

void MainPresenter::setOption(std::string_view name, bool on) {
    ControlState& state = held(name);
    const CheckState check = on ? kChecked : kUnchecked;
    if (state.check != check) {
        state.check = check;
        view_.setCheck(name, check);
    }
    if (on) {
        turnOtherOptionsOff(name, true);
    }
}

// The options of a group are the option buttons of one container.
void MainPresenter::turnOtherOptionsOff(std::string_view name, bool tellView) {
    const std::string_view container = specOf(indexOf(name)).container;
    for (std::size_t index = 0; index < states_.size(); ++index) {
        const ControlSpec& spec = specOf(index);
        if (spec.kind != ControlKind::OptionButton || spec.name == name || spec.container != container ||
            states_[index].check == kUnchecked) {
            continue;
        }
        states_[index].check = kUnchecked;
        if (tellView) {
            view_.setCheck(spec.name, kUnchecked);
        }
    }
}

void MainPresenter::setEnabled(std::string_view name, bool enabled) {
    ControlState& state = held(name);
    if (state.enabled != enabled) {
        state.enabled = enabled;
        view_.setEnabled(name, enabled);
    }
}

void MainPresenter::setItems(std::string_view name, std::vector<std::u16string> items) {
    ControlState& state = held(name);
    if (state.items != items) {
        state.items = std::move(items);
        if (state.selectedIndex >= static_cast<int>(state.items.size())) {
            state.selectedIndex = -1;
        }
        view_.setItems(name, state.items);
    }
}

void MainPresenter::setSelectedIndex(std::string_view name, int index) {
    ControlState& state = held(name);
    if (state.selectedIndex != index) {
        state.selectedIndex = index;
        view_.setSelectedIndex(name, index);
    }
}

void MainPresenter::setTimer(std::string_view name, bool armed, int intervalMs) {
    ControlState& state = held(name);
    if (state.timerArmed != armed || state.timerIntervalMs != intervalMs) {
        state.timerArmed = armed;
        state.timerIntervalMs = intervalMs;
        view_.setTimer(name, armed, intervalMs);
    }
}

void MainPresenter::runSentinelRuleOf(std::string_view checkBox) {
    if (checkBox == "chkStart") {
        chkStart_Click();
    } else if (checkBox == "chkEnd") {
        chkEnd_Click();
    }
}

bool MainPresenter::usable(std::string_view name) const {
    for (std::size_t index = indexOf(name); index < states_.size();) {
        if (!states_[index].enabled || !states_[index].visible) {
            return false;
        }
        const char* container = specOf(index).container;
        if (container == nullptr) {
            return true;
        }
        index = indexOf(container);
    }
    return false;
}

bool MainPresenter::takesFocus(std::string_view name) const {
    const std::size_t index = indexOf(name);
    if (index == states_.size()) {
        return false;
    }
    switch (specOf(index).kind) {
    case ControlKind::TextField:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::Button:
    case ControlKind::DropDownList:
    case ControlKind::ListBox:
        return usable(name);
    default:
        return false;
    }
}

void MainPresenter::showMessage(std::u16string_view text) { showFileMessage(text, {}); }

void MainPresenter::showFileMessage(std::u16string_view text, std::u16string_view fileName) {
    ControlState& state = held("txtMsg");
    std::u16string whole = statusWithFileName(text, fileName);
    if (state.text != whole) {
        state.text = std::move(whole);
        view_.setStatus(text, fileName);
    }
}

void MainPresenter::clicked(std::string_view control) {
    using Handler = void (MainPresenter::*)();
    static constexpr std::array<std::pair<std::string_view, Handler>, 8> kHandlers{{
        {"cmdOnce", &MainPresenter::cmdOnce_Click},
        {"cmdVersion", &MainPresenter::cmdVersion_Click},
        {"cmdRead", &MainPresenter::cmdRead_Click},
        {"cmdWrite", &MainPresenter::cmdWrite_Click},
        {"cmdDefault", &MainPresenter::cmdDefault_Click},
        {"cmdSave", &MainPresenter::cmdSave_Click},
        {"cmdLoad", &MainPresenter::cmdLoad_Click},
        {"cmdContinuous", &MainPresenter::cmdContinuous_Click},
    }};
    const auto found = std::ranges::find(kHandlers, control, &std::pair<std::string_view, Handler>::first);
    if (found != kHandlers.end()) {
        (this->*found->second)();
    }
}

// The view already shows the user's change (and has turned the other options of a group off): only what the
// presenter holds follows, and the sentinel rule runs when its box changed.
void MainPresenter::checkChanged(std::string_view control, CheckState state) {
    const std::size_t index = indexOf(control);
    if (index == states_.size() || states_[index].check == state) {
        return;
    }
    states_[index].check = state;
    if (specOf(index).kind == ControlKind::OptionButton) {
        if (state == kChecked) {
            turnOtherOptionsOff(control, false);
        }
        return;
    }
    runSentinelRuleOf(control);
}

// A sentinel field keeps one character; a view that let more through is given the first back.
void MainPresenter::textEdited(std::string_view control, std::u16string_view text) {
    const std::size_t index = indexOf(control);
    if (index == states_.size()) {
        return;
    }
    states_[index].text = text;
    if (isSentinelField(control) && text.size() > 1) {
        setText(control, text.substr(0, 1));
    }
}

void MainPresenter::selectedIndexChanged(std::string_view control, int index) {
    const std::size_t position = indexOf(control);
    if (position != states_.size()) {
        states_[position].selectedIndex = index;
    }
}

void MainPresenter::timerElapsed(std::string_view control) {
    if (control == "tmrContinuousDataCollect") {
        tmrContinuousDataCollect_Timer();
    }
}

void MainPresenter::closing() { Form_Unload(); }

}  // namespace cdr
