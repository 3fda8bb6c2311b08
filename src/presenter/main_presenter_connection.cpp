#include "presenter/main_presenter.h"
#include "protocol/bcc.h"
#include "protocol/reader_commands.h"
#include "protocol/reader_exchange.h"
#include "protocol/reader_reply.h"

namespace cdr {

namespace {

constexpr std::u16string_view kConnectCaption = u"Connect";
constexpr std::u16string_view kDisconnectCaption = u"Disconnect";
constexpr std::u16string_view kNotConnectedCaption = u"CONNECT";
constexpr std::u16string_view kContinuousCaption = u"Continuous";
constexpr std::u16string_view kCancelContinuousCaption = u"Cancel Continuous";
constexpr int kLastByteValue = 255;

std::u16string upperCase(std::u16string_view text) {
    std::u16string upper(text);
    for (char16_t& character : upper) {
        if (character >= u'a' && character <= u'z') character = static_cast<char16_t>(character - u'a' + u'A');
    }
    return upper;
}

// The busy cursor shows while the window waits on the reader.
class BusyWhileWaiting {
public:
    explicit BusyWhileWaiting(MainView& view) : view_(view) { view_.setBusy(true); }
    ~BusyWhileWaiting() { view_.setBusy(false); }
    BusyWhileWaiting(const BusyWhileWaiting&) = delete;
    BusyWhileWaiting& operator=(const BusyWhileWaiting&) = delete;

private:
    MainView& view_;
};

}  // namespace

bool MainPresenter::SendReaderCommand(std::span<const std::uint8_t> payload, std::vector<std::uint8_t>& reply) {
    showMessage(u"");
    if (upperCase(control("cmdOnce").text) == kNotConnectedCaption) {
        showMessage(kNotConnectedText);
        return false;
    }
    ExchangeResult result = ExchangeResult::Failed;
    {
        const BusyWhileWaiting busy(view_);
        result = exchangeCommand(link_, payload, reply);
    }
    showMessage(exchangeStatusText(result));
    return result == ExchangeResult::Accepted;
}

std::uint8_t MainPresenter::COM_BCCCalc(std::span<const std::uint8_t> byteData, std::int16_t datalen,
                                        std::uint8_t BCCTYPE) const {
    return cdr::COM_BCCCalc(byteData, datalen, BCCTYPE);
}

// The log shows nothing; the hook only keeps the list on its newest line (none while it is empty).
void MainPresenter::logApiResult(std::string_view /*label*/) { keepLogOnLastLine(); }

void MainPresenter::keepLogOnLastLine() {
    setSelectedIndex("lstResults", static_cast<int>(control("lstResults").items.size()) - 1);
}

// Discovery's texts are ASCII.
void MainPresenter::showStatus(std::string_view text) { showMessage(std::u16string(text.begin(), text.end())); }

// The caption of cmdOnce is the connection state: "Connect" while not connected, "Disconnect" while connected.
void MainPresenter::cmdOnce_Click() {
    SetControlsEnabled(false);
    if (control("cmdOnce").text == kDisconnectCaption) {
        link_.CloseDeviceHandles();
        setText("cmdOnce", kConnectCaption);
        showMessage(u"Disconnect!");
        return;
    }

    bool readerPresent = false;
    PollDevice(readerPresent);
    if (!readerPresent) {
        setText("cmdOnce", kConnectCaption);
        showMessage(u"Disconnect!");
        link_.setDeviceDetected(false);
        return;
    }

    setEnabled("frmSet", true);
    // The caption changes first, so that the handshake is not refused as "not connected".
    setText("cmdOnce", kDisconnectCaption);
    std::vector<std::uint8_t> reply;
    if (SendReaderCommand(kVersionCommand, reply)) {
        showMessage(u"Device Connected!");
    } else {
        link_.CloseDeviceHandles();
        setText("cmdOnce", kConnectCaption);
        showMessage(u"Device Conflict!");
    }
    SetControlsEnabled(true);
}

void MainPresenter::cmdVersion_Click() {
    std::vector<std::uint8_t> reply;
    if (!SendReaderCommand(kVersionCommand, reply)) {
        return;
    }
    const auto version = versionText(reply);
    showMessage(version ? *version : kReplyNotUnderstoodText);
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
