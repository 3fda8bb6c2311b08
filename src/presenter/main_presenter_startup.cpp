#include <cstdio>

#include "presenter/control_table.h"
#include "presenter/main_presenter.h"

namespace cdr {

namespace {

constexpr int kContinuousIntervalMs = 1000;
constexpr int kByteValueCount = 256;

// "00", "01", ..., "FF".
std::vector<std::u16string> byteValueTexts() {
    std::vector<std::u16string> texts;
    for (int value = 0; value < kByteValueCount; ++value) {
        char digits[3] = {};
        std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned>(value));
        texts.emplace_back(digits, digits + 2);
    }
    return texts;
}

}  // namespace

void MainPresenter::Form_Load() {
    view_.showWindow();
    InitControls();
}

void MainPresenter::InitControls() {
    FillByteLists();
    setTimer("tmrContinuousDataCollect", false, kContinuousIntervalMs);
    SetControlsEnabled(false);
}

void MainPresenter::FillByteLists() {
    const std::vector<std::u16string> texts = byteValueTexts();
    setItems("cboByte0", texts);
    setItems("cboByte1", texts);
    setSelectedIndex("cboByte0", 1);
    setSelectedIndex("cboByte1", 0);
    setCheck("chkAutoincrement", kChecked);
}

// Every control of the table in order takes the enabled state; the timer is armed or stopped with it, and the file
// dialog component, which has no enabled state, is passed over.
void MainPresenter::SetControlsEnabled(bool enable) {
    const std::optional<ControlId> focused = view_.focusedControl();
    for (const ControlSpec& spec : mainWindowControls()) {
        const ControlId id = ControlId::of(spec);
        if (spec.kind == ControlKind::Timer) {
            setTimer(id, enable, control(id).timerIntervalMs);
        } else if (spec.kind != ControlKind::FileDialog) {
            setEnabled(id, enable);
        }
    }
    setEnabled("fraSendAndReceive", true);
    setEnabled("cmdOnce", true);
    chkStart_Click();
    chkEnd_Click();
    restoreFocus(focused);
}

// So that keyboard and screen-reader users keep their place.
void MainPresenter::restoreFocus(std::optional<ControlId> focused) {
    if (focused && takesFocus(*focused)) {
        view_.setFocus(*focused);
        return;
    }
    std::optional<ControlId> first;
    for (const ControlSpec& spec : mainWindowControls()) {
        const ControlId id = ControlId::of(spec);
        if (takesFocus(id) && control(id).tabStop && (!first || spec.tabIndex < first->spec().tabIndex)) {
            first = id;
        }
    }
    if (first) {
        view_.setFocus(*first);
    }
}

// Closing the window never cancels; it closes the device handles that are still open.
void MainPresenter::Form_Unload() { link_.CloseDeviceHandles(); }

}  // namespace cdr
