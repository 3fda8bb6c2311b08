#include <QPushButton>

#include "protocol/reader_reply.h"
#include "ui/busy_cursor.h"
#include "ui/frm_main.h"

namespace cdr {

namespace {

const QString kConnectCaption = QStringLiteral("Connect");
const QString kDisconnectCaption = QStringLiteral("Disconnect");

}  // namespace

// The caption of cmdOnce is the connection state: "Connect" while not connected, "Disconnect" while connected.
void frmMain::cmdOnce_Click() {
    const BusyCursor busy;
    SetControlsEnabled(false);
    if (cmdOnce_->text() == kDisconnectCaption) {
        link_.CloseDeviceHandles();
        cmdOnce_->setText(kConnectCaption);
        showMessage(u"Disconnect!");
        return;
    }

    bool readerPresent = false;
    PollDevice(readerPresent);
    if (!readerPresent) {
        cmdOnce_->setText(kConnectCaption);
        showMessage(u"Disconnect!");
        link_.setDeviceDetected(false);
        return;
    }

    frmSet_->setEnabled(true);
    // The caption changes first, so that the handshake is not refused as "not connected".
    cmdOnce_->setText(kDisconnectCaption);
    if (readerCommandAllowed() && reportExchange(session_.connect())) {
        showMessage(u"Device Connected!");
    } else {
        link_.CloseDeviceHandles();
        cmdOnce_->setText(kConnectCaption);
        showMessage(u"Device Conflict!");
    }
    SetControlsEnabled(true);
}

void frmMain::cmdVersion_Click() {
    if (!readerCommandAllowed()) {
        return;
    }
    const BusyCursor busy;
    const auto answer = session_.readVersion();
    if (!reportExchange(answer.exchange)) {
        return;
    }
    if (answer.value) {
        showMessage(versionText(*answer.value));
    } else {
        showMessage(kReplyNotUnderstoodText);
    }
}

}  // namespace cdr
