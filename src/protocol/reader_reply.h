#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cdr {

// A reply is the whole input report: the report ID at index 0, then a frame laid out like a command's (STX, LEN
// high, LEN low, payload, ETX, BCC) whose payload begins with the status byte. Only the positions below are read.
inline constexpr std::size_t kReplyPayloadIndex = 4;
inline constexpr std::size_t kReplyStatusIndex = 4;
inline constexpr std::uint8_t kStatusAccepted = 0x50;  // "P"
inline constexpr std::size_t kReplySettingsBlockIndex = 7;
inline constexpr std::size_t kReplyVersionIndex = 11;
inline constexpr std::size_t kVersionLength = 4;

inline constexpr std::u16string_view kVersionPrefix = u"Ver.:";
inline constexpr std::u16string_view kReplyNotUnderstoodText = u"The reader's reply was not understood.";

// True when the reply's status byte is exactly 0x50; a reply too short to hold it is not accepted.
bool isReplyAccepted(std::span<const std::uint8_t> reply);

// The firmware version: the four bytes at reply index 11, e.g. "1.05".
using VersionBytes = std::array<std::uint8_t, kVersionLength>;

// The version bytes of a reply, or nullopt when the reply is too short to hold them.
std::optional<VersionBytes> versionBytes(std::span<const std::uint8_t> reply);

// "Ver.:" and the four version bytes, each one character through the code page.
std::u16string versionText(const VersionBytes& version);

// An input report of inputReportLength bytes as the reader sends it: reportId, then the frame around
// replyPayload, zeros behind. Nullopt when the frame does not fit.
std::optional<std::vector<std::uint8_t>> buildReplyReport(std::span<const std::uint8_t> replyPayload,
                                                          std::int16_t inputReportLength, std::uint8_t reportId);

}  // namespace cdr
