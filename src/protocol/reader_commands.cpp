#include "protocol/reader_commands.h"

namespace cdr {

std::vector<std::uint8_t> writeSettingsPayload(const SettingsBlock& block) {
    std::vector<std::uint8_t> payload(kWriteSettingsCommand.begin(), kWriteSettingsCommand.end());
    payload.insert(payload.end(), block.begin(), block.end());
    return payload;
}

}  // namespace cdr
