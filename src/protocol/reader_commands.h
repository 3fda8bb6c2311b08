#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "protocol/settings_block.h"

namespace cdr {

// The payloads of the reader's commands.
inline constexpr std::array<std::uint8_t, 3> kVersionCommand{0x43, 0x56, 0x30};        // "CV0": handshake, version
inline constexpr std::array<std::uint8_t, 3> kReadSettingsCommand{0x43, 0x43, 0x52};   // "CCR"
inline constexpr std::array<std::uint8_t, 3> kWriteSettingsCommand{0x43, 0x43, 0x57};  // "CCW", then the block

// "CCW" followed by the 11 bytes of the block.
std::vector<std::uint8_t> writeSettingsPayload(const SettingsBlock& block);

}  // namespace cdr
