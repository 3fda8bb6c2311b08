#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <variant>

#include "settings/reader_settings.h"
#include "settings/sentinel_field.h"

namespace cdr {

// The 11-byte image of ReaderSettings that follows "CCW" in the write command and stands at reply index 7 in the
// read reply: three track states as digits, three start and three end sentinel bytes (0x00 = none), the Enter
// option index as a digit, the format byte.
inline constexpr std::size_t kSettingsBlockSize = 11;
using SettingsBlock = std::array<std::uint8_t, kSettingsBlockSize>;

inline constexpr std::size_t kBlockTracks = 0;
inline constexpr std::size_t kBlockStartSentinels = 3;
inline constexpr std::size_t kBlockEndSentinels = 6;
inline constexpr std::size_t kBlockEnter = 9;
inline constexpr std::size_t kBlockFormat = 10;
inline constexpr std::uint8_t kFormatIsoByte = 0x31;
inline constexpr std::uint8_t kFormatAamvaByte = 0x32;

// The block to send for the settings the controls hold. A sentinel kind whose box is not exactly ticked sends
// zeros; a field that is empty or blank sends 0x00, any other its first character. A character the code page has
// no single byte for cannot be sent as one byte: the whole block is refused, naming that field.
std::variant<SettingsBlock, RefusedSentinel> encodeSettingsBlock(const ReaderSettings& settings);

// The settings a read reply puts into the controls, or nullopt when the reply cannot stand for them: shorter than
// 18 bytes, or a track or Enter byte that is not one of the digits 0, 1, 2. A sentinel box is ticked exactly when
// one of its bytes is non-zero; every format byte other than 0x31 means AAMVA.
std::optional<ReaderSettings> decodeSettingsReply(std::span<const std::uint8_t> reply);

// The eleven block bytes of a read reply as they are, or nullopt when the reply is shorter than 18 bytes.
std::optional<SettingsBlock> settingsBlockOfReply(std::span<const std::uint8_t> reply);

}  // namespace cdr
