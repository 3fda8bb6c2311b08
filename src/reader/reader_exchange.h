#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "hid/hid_link.h"

namespace cdr {

inline constexpr std::u16string_view kNotConnectedText = u"The device is not connected.";
inline constexpr std::u16string_view kExchangeErrorText = u"ERROR";

enum class ExchangeResult {
    Accepted,  // the reply's status byte is 0x50
    TooLong,   // the frame does not fit the output report: nothing was written, the reply is untouched
    Failed,    // no reply, or any other status byte (also a reply too short to hold one)
};

// One request, one reply: frames the payload in a zero-filled buffer of the output report length, writes it as one
// output report, reads one input report into reply and judges its status byte.
ExchangeResult exchangeCommand(hid::HidLink& link, std::span<const std::uint8_t> payload,
                               std::vector<std::uint8_t>& reply);

// What the status label shows after an exchange: nothing when accepted (the caller reports), otherwise a failure.
std::u16string_view exchangeStatusText(ExchangeResult result);

}  // namespace cdr
