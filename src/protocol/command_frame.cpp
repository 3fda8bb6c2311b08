#include "protocol/command_frame.h"

#include <algorithm>
#include <limits>

#include "protocol/bcc.h"

namespace cdr {

std::optional<std::vector<std::uint8_t>> buildFrameBuffer(std::span<const std::uint8_t> payload,
                                                          std::int16_t outputReportLength) {
    if (outputReportLength < 0) return std::nullopt;
    const auto reportLength = static_cast<std::size_t>(outputReportLength);
    const std::size_t payloadSize = payload.size();
    // The report ID goes in front of the buffer, so buffer position L-1 never leaves: the frame must end before it.
    if (payloadSize + kFrameOverhead + 1 > reportLength) return std::nullopt;

    std::vector<std::uint8_t> buffer(reportLength, 0x00);
    const std::size_t len = payloadSize + 1;
    buffer[0] = kStx;
    buffer[1] = static_cast<std::uint8_t>(len / 256);
    buffer[2] = static_cast<std::uint8_t>(len % 256);
    std::ranges::copy(payload, buffer.begin() + kFramePayloadIndex);
    buffer[kFramePayloadIndex + payloadSize] = kEtx;
    // Covers every sent position after STX; the zeros behind ETX leave the XOR unchanged.
    buffer[kFramePayloadIndex + payloadSize + 1] =
        COM_BCCCalc(buffer, static_cast<std::int16_t>(reportLength - 2), kBccTypeXor);
    return buffer;
}

std::optional<std::vector<std::uint8_t>> readCommandFrame(std::span<const std::uint8_t> frame) {
    if (frame.size() < kFrameOverhead || frame[0] != kStx) return std::nullopt;
    const std::size_t len = frame[1] * 256u + frame[2];
    if (len < 1 || kFramePayloadIndex + len + 1 > frame.size()) return std::nullopt;
    const std::size_t etxIndex = kFramePayloadIndex + len - 1;
    // Report lengths are 16-bit, so no real frame reaches further than the check's datalen can count.
    if (etxIndex > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) return std::nullopt;
    if (frame[etxIndex] != kEtx) return std::nullopt;
    const auto covered = frame.first(etxIndex + 1);
    if (frame[etxIndex + 1] != COM_BCCCalc(covered, static_cast<std::int16_t>(etxIndex), kBccTypeXor)) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(frame.begin() + kFramePayloadIndex, frame.begin() + etxIndex);
}

}  // namespace cdr
