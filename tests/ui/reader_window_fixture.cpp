#include "reader_window_fixture.h"

#include "hid/hid_link.h"
#include "protocol/reader_reply.h"

namespace cdr::test {

Bytes replyWithStatus(std::size_t length, std::uint8_t status) {
    Bytes reply(length, 0x00);
    if (length > kReplyStatusIndex) {
        reply[kReplyStatusIndex] = status;
    }
    return reply;
}

void ReaderWindowTest::attachScriptedReader(std::int16_t inputLength, std::int16_t outputLength) {
    hid::sim::VirtualDevice device;
    device.identity = hid::DeviceAttributes{hid::READER_VENDOR_ID, hid::READER_PRODUCT_ID, 0x0100};
    device.path = "/dev/hidraw-scripted";
    device.capabilities = hid::Capabilities{inputLength, outputLength};
    device.responder = [this](std::span<const std::uint8_t>) -> std::optional<Bytes> {
        if (scriptedReplies_.empty()) {
            return std::nullopt;
        }
        std::optional<Bytes> reply = scriptedReplies_.front();
        scriptedReplies_.pop_front();
        return reply;
    };
    platform_.addDevice(std::move(device));
}

void ReaderWindowTest::connectScriptedReader(std::int16_t inputLength, std::int16_t outputLength) {
    attachScriptedReader(inputLength, outputLength);
    scriptedReplies_.push_back(replyWithStatus(static_cast<std::size_t>(inputLength), kStatusAccepted));
    click("cmdOnce");
    ASSERT_EQ(status(), QStringLiteral("Device Connected!"));
}

Bytes ReaderWindowTest::lastReport() const {
    const auto& written = platform_.writtenReports();
    return written.empty() ? Bytes{} : written.back().bytes;
}

std::vector<bool> ReaderWindowTest::ownEnabledStates() const {
    std::vector<bool> states;
    for (const QObject* control : window_.controls()) {
        if (const auto* widget = qobject_cast<const QWidget*>(control)) {
            states.push_back(!widget->testAttribute(Qt::WA_ForceDisabled));
        }
    }
    return states;
}

}  // namespace cdr::test
