#pragma once

#include <cstdint>
#include <span>

namespace cdr {

// The frame's check byte: 0 XORed with byteData[1] .. byteData[datalen]. Index 0 (STX) is never included, a
// datalen below 1 gives 0, and a datalen past the end of byteData stops at its last byte. BCCTYPE names the kind
// of check; the only kind is this XOR (callers pass 1) and the result does not depend on it.
std::uint8_t COM_BCCCalc(std::span<const std::uint8_t> byteData, std::int16_t datalen, std::uint8_t BCCTYPE);

}  // namespace cdr
