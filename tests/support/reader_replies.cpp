#include "support/reader_replies.h"

#include "protocol/reader_reply.h"

namespace cdr::test {

Bytes replyWithStatus(std::size_t length, std::uint8_t status) {
    Bytes reply(length, 0x00);
    if (length > kReplyStatusIndex) {
        reply[kReplyStatusIndex] = status;
    }
    return reply;
}

}  // namespace cdr::test
