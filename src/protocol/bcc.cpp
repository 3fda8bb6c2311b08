#include "protocol/bcc.h"

#include <algorithm>

namespace cdr {

std::uint8_t COM_BCCCalc(std::span<const std::uint8_t> byteData, std::int16_t datalen, std::uint8_t /*BCCTYPE*/) {
    if (datalen < 1 || byteData.empty()) return 0;
    const std::size_t last = std::min<std::size_t>(static_cast<std::size_t>(datalen), byteData.size() - 1);
    std::uint8_t bcc = 0;
    for (std::size_t index = 1; index <= last; ++index) bcc ^= byteData[index];
    return bcc;
}

}  // namespace cdr
