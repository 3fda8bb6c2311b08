#include "protocol/reader_commands.h"

#include <algorithm>

namespace cdr {

std::vector<std::uint8_t> writeSettingsPayload(const SettingsBlock& block) {
    // Sized once and filled in place: growing the vector by insert() trips a
    // spurious -Warray-bounds in GCC 12 at -O2.
    std::vector<std::uint8_t> payload(kWriteSettingsCommand.size() + block.size());
    const auto blockStart = std::copy(kWriteSettingsCommand.begin(), kWriteSettingsCommand.end(), payload.begin());
    std::copy(block.begin(), block.end(), blockStart);
    return payload;
}

}  // namespace cdr
