#include <variant>

#include "protocol/reader_reply.h"
#include "protocol/settings_block.h"
#include "ui/busy_cursor.h"
#include "ui/frm_main.h"

namespace cdr {

// Sends the settings the controls hold. While not connected it is refused as every command is; a sentinel
// character the reader cannot take as one byte refuses the whole write before anything is sent, naming its field.
void frmMain::cmdWrite_Click() {
    if (!readerCommandAllowed()) {
        return;
    }
    const auto block = encodeSettingsBlock(currentSettings());
    if (const auto* refused = std::get_if<RefusedSentinel>(&block)) {
        showMessage(refused->message);
        return;
    }
    const BusyCursor busy;
    if (reportExchange(session_.writeSettings(std::get<SettingsBlock>(block)))) {
        showMessage(u"Complete write config!");
    }
}

// Puts the reader's settings into the controls. A reply that cannot stand for valid control states changes none.
void frmMain::cmdRead_Click() {
    if (!readerCommandAllowed()) {
        return;
    }
    const BusyCursor busy;
    const auto answer = session_.readSettings();
    if (!reportExchange(answer.exchange)) {
        return;
    }
    const auto& settings = answer.value;
    if (!settings) {
        showMessage(kReplyNotUnderstoodText);
        return;
    }
    showMessage(u"Complete read config!");
    applySettings(*settings);
}

}  // namespace cdr
