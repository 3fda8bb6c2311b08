#include "reader/reader_exchange.h"

#include "protocol/command_frame.h"
#include "protocol/reader_reply.h"

namespace cdr {

ExchangeResult exchangeCommand(hid::HidLink& link, std::span<const std::uint8_t> payload,
                               std::vector<std::uint8_t>& reply) {
    const auto buffer = buildFrameBuffer(payload, link.outputReportLength());
    if (!buffer) return ExchangeResult::TooLong;
    // A failed write is not examined: it shows up as a missing or wrong reply.
    link.WriteReport(*buffer);
    link.ReadReport(reply);
    return isReplyAccepted(reply) ? ExchangeResult::Accepted : ExchangeResult::Failed;
}

std::u16string_view exchangeStatusText(ExchangeResult result) {
    switch (result) {
    case ExchangeResult::Accepted:
        return {};
    case ExchangeResult::TooLong:
        return kCommandTooLongText;
    case ExchangeResult::Failed:
        break;
    }
    return kExchangeErrorText;
}

}  // namespace cdr
