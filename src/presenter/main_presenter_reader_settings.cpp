#include <variant>

#include "presenter/main_presenter.h"
#include "protocol/reader_commands.h"
#include "protocol/reader_reply.h"
#include "protocol/settings_block.h"

namespace cdr {

// Sends the settings the controls hold. A sentinel character the reader cannot take as one byte refuses the whole
// write before anything is sent, naming its field.
void MainPresenter::cmdWrite_Click() {
    const auto block = encodeSettingsBlock(currentSettings());
    if (const auto* refused = std::get_if<RefusedSentinel>(&block)) {
        showMessage(refused->message);
        return;
    }
    std::vector<std::uint8_t> reply;
    if (SendReaderCommand(writeSettingsPayload(std::get<SettingsBlock>(block)), reply)) {
        showMessage(u"Complete write config!");
    }
}

// Puts the reader's settings into the controls. A reply that cannot stand for valid control states changes none.
void MainPresenter::cmdRead_Click() {
    std::vector<std::uint8_t> reply;
    if (!SendReaderCommand(kReadSettingsCommand, reply)) {
        return;
    }
    const auto settings = decodeSettingsReply(reply);
    if (!settings) {
        showMessage(kReplyNotUnderstoodText);
        return;
    }
    showMessage(u"Complete read config!");
    applySettings(*settings);
}

}  // namespace cdr
