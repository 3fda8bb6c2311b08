#include <algorithm>

#include "presenter/control_table.h"
#include "presenter/main_presenter.h"
#include "presenter/result_log.h"
#include "presenter/utf8_text.h"

namespace cdr {

namespace {

constexpr std::u16string_view kContinuousCaption = u"Continuous";
constexpr std::u16string_view kCancelContinuousCaption = u"Cancel Continuous";
constexpr int kLastByteValue = 255;

}  // namespace

void MainPresenter::showDiagnosticPanel() {
    diagnostic_ = true;
    for (const ControlId id : {ControlId("lstResults"), ControlId("fraBytesReceived"), ControlId("fraBytesToSend"),
                               ControlId("cmdContinuous")}) {
        if (hold(held(id).visible, true)) {
            view_.setVisible(id, true);
        }
    }
    layOut();
}

// Unless the diagnostic panel is shown the log stays empty; the hook keeps the list on its newest line (none while
// it is empty).
void MainPresenter::afterPlatformCall(std::string_view label) {
    if (diagnostic_) {
        std::u16string line = textFromUtf8(label);
        const std::string systemText = platform_.lastError().text;
        if (!systemText.empty()) {
            line += u": " + textFromUtf8(systemText);
        }
        held("lstResults").items.push_back(line);
        view_.appendItem("lstResults", line);
    }
    keepLogOnLastLine();
}

void MainPresenter::keepLogOnLastLine() {
    setSelectedIndex("lstResults", static_cast<int>(control("lstResults").items.size()) - 1);
}

void MainPresenter::PollDevice(bool& readerPresent) {
    if (!link_.deviceDetected()) {
        link_.FindTheHid();
    }
    readerPresent = link_.deviceDetected();
    if (readerPresent && isOn(control("chkAutoincrement").check)) {
        stepByteList("cboByte0");
        stepByteList("cboByte1");
    }
    keepLogOnLastLine();
    trimResults();
}

void MainPresenter::trimResults() {
    std::vector<std::u16string> items = control("lstResults").items;
    if (trimResultLog(items)) {
        setItems("lstResults", std::move(items));
        keepLogOnLastLine();
    }
}

// The next byte value; "FF" and no selection both go to "00".
void MainPresenter::stepByteList(ControlId id) {
    const int position = control(id).selectedIndex;
    setSelectedIndex(id, position >= 0 && position < kLastByteValue ? position + 1 : 0);
}

void MainPresenter::cmdContinuous_Click() {
    const int intervalMs = control("tmrContinuousDataCollect").timerIntervalMs;
    if (control("cmdContinuous").text == kContinuousCaption) {
        setText("cmdContinuous", kCancelContinuousCaption);
        setTimer("tmrContinuousDataCollect", true, intervalMs);
        bool readerPresent = false;
        PollDevice(readerPresent);
    } else {
        setText("cmdContinuous", kContinuousCaption);
        setTimer("tmrContinuousDataCollect", false, intervalMs);
    }
}

// Continuous mode collects nothing: its tick has no action.
void MainPresenter::tmrContinuousDataCollect_Timer() {}

}  // namespace cdr
