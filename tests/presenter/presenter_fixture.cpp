#include "presenter_fixture.h"

#include "hid/hid_link.h"
#include "presenter/control_table.h"
#include "protocol/reader_reply.h"

namespace cdr::test {

Bytes replyWithStatus(std::size_t length, std::uint8_t status) {
    Bytes reply(length, 0x00);
    if (length > kReplyStatusIndex) {
        reply[kReplyStatusIndex] = status;
    }
    return reply;
}

void PresenterTest::TearDown() {
    for (const ControlSpec& spec : mainWindowControls()) {
        EXPECT_TRUE(view_.shown.at(spec.name) == control(spec.name)) << spec.name;
    }
    EXPECT_EQ(view_.redundantPushes, 0);
}

void PresenterTest::attachScriptedReader(std::int16_t inputLength) {
    hid::sim::VirtualDevice device;
    device.identity = hid::DeviceAttributes{hid::READER_VENDOR_ID, hid::READER_PRODUCT_ID, 0x0100};
    device.path = "/dev/hidraw-scripted";
    device.capabilities = hid::Capabilities{inputLength, hid::sim::VirtualReader::kReportLength};
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

void PresenterTest::connectVirtualReader() {
    attachVirtualReader();
    click("cmdOnce");
    ASSERT_EQ(status(), u"Device Connected!");
}

Bytes PresenterTest::lastReport() const {
    const auto& written = platform_.writtenReports();
    return written.empty() ? Bytes{} : written.back().bytes;
}

}  // namespace cdr::test
