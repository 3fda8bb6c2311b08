#include "support/scripted_reader.h"

#include "hid/hid_link.h"

namespace cdr::test {

hid::sim::VirtualDevice scriptedReader(ScriptedReplies& replies, std::int16_t inputLength, std::int16_t outputLength) {
    hid::sim::VirtualDevice device;
    device.identity = hid::DeviceAttributes{hid::READER_VENDOR_ID, hid::READER_PRODUCT_ID, 0x0100};
    device.path = "/dev/hidraw-scripted";
    device.capabilities = hid::Capabilities{inputLength, outputLength};
    device.responder = [&replies](std::span<const std::uint8_t>) -> std::optional<Bytes> {
        if (replies.empty()) {
            return std::nullopt;
        }
        std::optional<Bytes> reply = replies.front();
        replies.pop_front();
        return reply;
    };
    return device;
}

}  // namespace cdr::test
