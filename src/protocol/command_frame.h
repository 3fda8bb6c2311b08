#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace cdr {

// A command frame: STX, LEN high, LEN low (LEN = payload size + 1), the payload, ETX, BCC (the XOR of every byte
// after STX up to ETX). The reader's replies are framed the same way.
inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kEtx = 0x03;
inline constexpr std::size_t kFramePayloadIndex = 3;
inline constexpr std::size_t kFrameOverhead = 5;
inline constexpr std::uint8_t kBccTypeXor = 1;

inline constexpr std::u16string_view kCommandTooLongText = u"The command does not fit the reader's report.";

// The buffer for WriteReport: outputReportLength bytes (report ID included), the frame at positions 0 .. N+4 and
// zeros behind it. The report sends only positions 0 .. L-2, so a frame that would reach position L-1 or beyond
// (N + 6 > L) is refused with nullopt; the caller then sends nothing and shows kCommandTooLongText.
std::optional<std::vector<std::uint8_t>> buildFrameBuffer(std::span<const std::uint8_t> payload,
                                                          std::int16_t outputReportLength);

// The payload of the frame that starts at frame[0], or nullopt when STX, LEN, ETX or BCC do not match or the
// frame runs past the end of the bytes given. Bytes after the BCC are ignored.
std::optional<std::vector<std::uint8_t>> readCommandFrame(std::span<const std::uint8_t> frame);

}  // namespace cdr
