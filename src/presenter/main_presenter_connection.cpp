#include "presenter/connect_caption.h"
#include "presenter/main_presenter.h"
#include "protocol/bcc.h"
#include "protocol/reader_reply.h"
#include "reader/reader_exchange.h"

namespace cdr {

namespace {

constexpr std::u16string_view kConnectCaption = u"Connect";
constexpr std::u16string_view kDisconnectCaption = u"Disconnect";

}  // namespace

bool MainPresenter::SendReaderCommand(std::span<const std::uint8_t> payload, std::vector<std::uint8_t>& reply) {
    return readerCommandAllowed() && reportExchange(session_.exchange(payload, reply));
}

bool MainPresenter::readerCommandAllowed() {
    showMessage(u"");
    if (!isConnected()) {
        showMessage(kNotConnectedText);
        return false;
    }
    return true;
}

bool MainPresenter::reportExchange(ExchangeResult result) {
    showMessage(exchangeStatusText(result));
    return result == ExchangeResult::Accepted;
}

bool MainPresenter::isConnected() const { return !readsConnect(control("cmdOnce").text); }

std::uint8_t MainPresenter::COM_BCCCalc(std::span<const std::uint8_t> byteData, std::int16_t datalen,
                                        std::uint8_t BCCTYPE) const {
    return cdr::COM_BCCCalc(byteData, datalen, BCCTYPE);
}

// Discovery's texts are ASCII.
void MainPresenter::showStatus(std::string_view text) { showMessage(std::u16string(text.begin(), text.end())); }

// The caption of cmdOnce is the connection state: "Connect" while not connected, "Disconnect" while connected.
void MainPresenter::cmdOnce_Click() {
    const BusyWhileWaiting busy(*this);
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
    if (readerCommandAllowed() && reportExchange(session_.connect())) {
        showMessage(u"Device Connected!");
    } else {
        link_.CloseDeviceHandles();
        setText("cmdOnce", kConnectCaption);
        showMessage(u"Device Conflict!");
    }
    SetControlsEnabled(true);
}

void MainPresenter::cmdVersion_Click() {
    if (!readerCommandAllowed()) {
        return;
    }
    const BusyWhileWaiting busy(*this);
    const auto answer = session_.readVersion();
    if (!reportExchange(answer.exchange)) {
        return;
    }
    showMessage(answer.value ? versionText(*answer.value) : std::u16string(kReplyNotUnderstoodText));
}

}  // namespace cdr
