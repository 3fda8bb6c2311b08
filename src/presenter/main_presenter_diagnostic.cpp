#include "presenter/main_presenter.h"
#include "presenter/utf8_text.h"

namespace cdr {

namespace {

constexpr std::u16string_view kContinuousCaption = u"Continuous";
constexpr std::u16string_view kCancelContinuousCaption = u"Cancel Continuous";
constexpr int kLastByteValue = 255;
// Past this many lines the log drops the lines at positions 1 .. kResultsTrimCount, keeping its first line.
constexpr std::size_t kResultsLimit = 300;
constexpr std::size_t kResultsTrimCount = 100;

}  // namespace

void MainPresenter::showDiagnosticPanel() {
    diagnostic_ = true;
    view_.layOutDiagnosticPanel();
    for (const std::string_view name : {"lstResults", "fraBytesReceived", "fraBytesToSend", "cmdContinuous"}) {
        ControlState& state = held(name);
        if (!state.visible) {
            state.visible = true;
            view_.setVisible(name, true);
        }
    }
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
    if (items.size() <= kResultsLimit) {
        return;
    }
    items.erase(items.begin() + 1, items.begin() + 1 + kResultsTrimCount);
    setItems("lstResults", std::move(items));
    keepLogOnLastLine();
}

// The next byte value; "FF" and no selection both go to "00".
void MainPresenter::stepByteList(std::string_view name) {
    const int position = control(name).selectedIndex;
    setSelectedIndex(name, position >= 0 && position < kLastByteValue ? position + 1 : 0);
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
