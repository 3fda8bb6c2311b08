#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "hid/hid_link.h"
#include "stand_in_reader_platform.h"

namespace cdr::hid {
namespace {

using test::StandInReaderPlatform;

class StatusRecorder final : public LinkObserver {
public:
    void afterPlatformCall(std::string_view) override {}
    void keepLogOnLastLine() override {}
    void showStatus(std::string_view text) override { statuses.emplace_back(text); }
    std::vector<std::string> statuses;
};

void expectListReleasedOnce(const StandInReaderPlatform& platform) {
    ASSERT_EQ(platform.listsCreated().size(), 1u);
    EXPECT_EQ(platform.listsDestroyed(), platform.listsCreated());
}

TEST(HidLinkOnWindows, WithoutTheReaderTheSearchSkipsEveryDeviceAndReleasesTheList) {
    StandInReaderPlatform platform(false);
    StatusRecorder observer;
    HidLink link(platform, observer);

    EXPECT_FALSE(link.FindTheHid());
    EXPECT_FALSE(link.deviceDetected());
    EXPECT_EQ(observer.statuses, std::vector<std::string>{"Not connected!"});
    expectListReleasedOnce(platform);
    EXPECT_EQ(platform.handlesClosed(), platform.handlesOpened());
    EXPECT_FALSE(isOpen(link.hidHandle()));
}

TEST(HidLinkOnWindows, FindsTheReaderAfterTheSystemDevicesAndClosesItOnlyOnce) {
    StandInReaderPlatform platform(true);
    StatusRecorder observer;
    HidLink link(platform, observer);

    ASSERT_TRUE(link.FindTheHid());
    EXPECT_EQ(observer.statuses, std::vector<std::string>{"Connected!"});
    EXPECT_EQ(link.devicePath(), platform.readerPath());
    expectListReleasedOnce(platform);
    EXPECT_TRUE(isOpen(link.hidHandle()));
    EXPECT_TRUE(isOpen(link.readHandle()));
    // The system's devices were all closed again; only the reader's two handles are left.
    EXPECT_EQ(platform.handlesOpened() - platform.handlesClosed(), 2);

    link.CloseDeviceHandles();
    link.CloseDeviceHandles();
    EXPECT_FALSE(link.deviceDetected());
    EXPECT_EQ(platform.handlesClosed(), platform.handlesOpened());
    EXPECT_TRUE(platform.reportsWritten()->clientClosed());
    EXPECT_TRUE(platform.reportsToRead()->clientClosed());
}

TEST(HidLinkOnWindows, ExchangesOneReportEachWayWithTheReader) {
    StandInReaderPlatform platform(true);
    StatusRecorder observer;
    HidLink link(platform, observer);
    ASSERT_TRUE(link.FindTheHid());

    const std::vector<std::uint8_t> command = {0x02, 0x00, 0x04, 0x43, 0x56, 0x30, 0x03, 0x20, 0xAA};
    link.WriteReport(command);
    const std::vector<std::uint8_t> sent = {OUTPUT_REPORT_ID, 0x02, 0x00, 0x04, 0x43, 0x56, 0x30, 0x03, 0x20};
    EXPECT_EQ(platform.reportsWritten()->takeReceived(), sent);

    const std::vector<std::uint8_t> answer = {0x00, 0x02, 0x00, 0x02, 0x50, 0x03, 0x51, 0x00, 0x00};
    platform.reportsToRead()->send(answer);
    std::vector<std::uint8_t> reply;
    link.ReadReport(reply);
    EXPECT_EQ(reply, answer);
    EXPECT_TRUE(link.deviceDetected());
    EXPECT_EQ(platform.waitForSingleObject(link.readEvent(), 0), WaitResult::TimedOut);
}

TEST(HidLinkOnWindows, AReadThatFailsClosesTheLinkAndKeepsTheSystemsReason) {
    StandInReaderPlatform platform(true);
    StatusRecorder observer;
    HidLink link(platform, observer);
    ASSERT_TRUE(link.FindTheHid());

    platform.reportsToRead()->disconnect();
    std::vector<std::uint8_t> reply;
    link.ReadReport(reply);
    EXPECT_EQ(reply, std::vector<std::uint8_t>(StandInReaderPlatform::kReportLength, 0));
    EXPECT_FALSE(link.deviceDetected());
    EXPECT_EQ(platform.handlesClosed(), platform.handlesOpened());
    EXPECT_NE(platform.lastError().code, 0);
}

}  // namespace
}  // namespace cdr::hid
