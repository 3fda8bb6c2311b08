#include <variant>

#include "presenter/main_presenter.h"
#include "protocol/reader_reply.h"
#include "protocol/settings_block.h"

namespace cdr {

// Sends the settings the controls hold. While not connected it is refused as every command is; a sentinel
// character the reader cannot take as one byte refuses the whole write before anything is sent, naming its field.
void MainPresenter::cmdWrite_Click() {
    if (!readerCommandAllowed()) {
        return;
    }
    const auto block = encodeSettingsBlock(currentSettings());
    if (const auto* refused = std::get_if<RefusedSentinel>(&block)) {
        showMessage(refused->message);
        return;
    }
    const BusyWhileWaiting busy(*this);
    if (reportExchange(session_.writeSettings(std::get<SettingsBlock>(block)))) {
        showMessage(u"Complete write config!");
    }
}

// Puts the reader's settings into the controls. A reply that cannot stand for valid control states changes none.
void MainPresenter::cmdRead_Click() {
    if (!readerCommandAllowed()) {
        return;
    }
    const BusyWhileWaiting busy(*this);
    const auto answer = session_.readSettings();
    if (!reportExchange(answer.exchange)) {
        return;
    }
    if (!answer.value) {
        showMessage(kReplyNotUnderstoodText);
        return;
    }
    showMessage(u"Complete read config!");
    applySettings(*answer.value);
}

}  // namespace cdr
