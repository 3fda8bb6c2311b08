#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "fake_hidraw_tree.h"
#include "hid/hid_link.h"
#include "hid/linux/hidraw_platform.h"
#include "hid/system_platform.h"
#include "../recording_observer.h"

namespace cdr::hid::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A bound for waits on reports the test has already sent: they return on arrival.
constexpr std::uint32_t kArrivalLimitMs = 5000;

// The reader: numbered reports, ID 1 in (32 data bytes) and out (24 data bytes): lengths 33 and 25.
const std::vector<std::uint8_t> kReaderDescriptor = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85,
                                                     0x01, 0x09, 0x02, 0x75, 0x08, 0x95, 0x20, 0x81,
                                                     0x02, 0x09, 0x03, 0x95, 0x18, 0x91, 0x02, 0xC0};
// A device without report IDs: 4 data bytes in, 1 out (lengths 5 and 2).
const std::vector<std::uint8_t> kUnnumberedDescriptor = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08,
                                                         0x95, 0x04, 0x81, 0x02, 0x95, 0x01, 0x91, 0x02, 0xC0};

class HidrawPlatformTest : public ::testing::Test {
protected:
    std::vector<std::string> enumeratedPaths() {
        std::vector<std::string> paths;
        const DeviceList list = platform_.getClassDevs(platform_.getHidGuid());
        DeviceInterface entry;
        for (std::uint32_t index = 0; platform_.enumDeviceInterfaces(list, {}, index, entry); ++index) {
            paths.push_back(
                platform_.getInterfaceDevicePath(list, entry, platform_.getInterfaceDetailSize(list, entry)));
        }
        platform_.destroyDeviceInfoList(list);
        return paths;
    }

    // Starts a read of a whole buffer on a fresh read handle and waits for it.
    WaitResult readInto(const std::string& interfaceName, std::vector<std::uint8_t>& buffer, std::uint32_t timeoutMs) {
        readHandle_ = platform_.createFile(tree_.devicePath(interfaceName), true);
        event_ = platform_.createEvent();
        platform_.readFile(readHandle_, buffer, event_);
        return platform_.waitForSingleObject(event_, timeoutMs);
    }

    FakeHidrawTree tree_;
    HidrawPlatform platform_{tree_.sysfsRoot(), tree_.deviceFolder()};
    Handle readHandle_ = kNoHandle;
    Event event_ = 0;
};

TEST_F(HidrawPlatformTest, EnumeratesHidrawEntriesInNumericOrder) {
    tree_.addInterface("hidraw10", 0x1234, 0x0001, kUnnumberedDescriptor);
    tree_.addInterface("hidraw2", 0x1234, 0x0002, kUnnumberedDescriptor);
    tree_.addInterface("hidraw0", 0x1234, 0x0003, kUnnumberedDescriptor);
    std::filesystem::create_directory(tree_.sysfsRoot() / "hidraw");
    std::filesystem::create_directory(tree_.sysfsRoot() / "hidrawx1");

    EXPECT_EQ(enumeratedPaths(), (std::vector<std::string>{tree_.devicePath("hidraw0"), tree_.devicePath("hidraw2"),
                                                           tree_.devicePath("hidraw10")}));
}

TEST_F(HidrawPlatformTest, ReportsIdentityAndReportLengthsFromSysfs) {
    tree_.addInterface("hidraw3", 0xFFFF, 0xFFFC, kReaderDescriptor);
    tree_.addInterface("hidraw4", 0x045E, 0x0750, kUnnumberedDescriptor);

    for (const auto& [name, vendor, product, input, output] :
         {std::tuple{"hidraw3", 0xFFFF, 0xFFFC, 33, 25}, std::tuple{"hidraw4", 0x045E, 0x0750, 5, 2}}) {
        SCOPED_TRACE(name);
        const Handle device = platform_.createFile(tree_.devicePath(name), false);
        ASSERT_GE(device, 3);
        DeviceAttributes attributes;
        ASSERT_TRUE(platform_.getAttributes(device, attributes));
        EXPECT_EQ(attributes.vendorId, vendor);
        EXPECT_EQ(attributes.productId, product);
        const PreparsedData data = platform_.getPreparsedData(device);
        const Capabilities caps = platform_.getCaps(data);
        platform_.freePreparsedData(data);
        EXPECT_EQ(caps.inputReportByteLength, input);
        EXPECT_EQ(caps.outputReportByteLength, output);
        platform_.closeHandle(device);
    }
}

TEST_F(HidrawPlatformTest, TheLinkFindsTheLowestNumberedReaderAndExchangesOneReport) {
    tree_.addInterface("hidraw10", 0xFFFF, 0xFFFC, kReaderDescriptor);
    tree_.addInterface("hidraw2", 0xFFFF, 0xFFFC, kReaderDescriptor);
    tree_.addInterfaceWithoutNode("hidraw1");
    RecordingObserver observer;
    HidLink link(platform_, observer);

    ASSERT_TRUE(link.FindTheHid());
    EXPECT_EQ(link.devicePath(), tree_.devicePath("hidraw2"));
    EXPECT_EQ(link.inputReportLength(), 33);
    EXPECT_EQ(link.outputReportLength(), 25);

    std::vector<std::uint8_t> command(25, 0);
    command[0] = 0x02;
    command[23] = 0x5A;
    command[24] = 0xEE;  // the caller's last byte is not sent
    link.WriteReport(command);
    std::vector<std::uint8_t> expectedOutput(25, 0);
    expectedOutput[0] = 0x01;
    expectedOutput[1] = 0x02;
    expectedOutput[24] = 0x5A;
    EXPECT_EQ(tree_.readOutput("hidraw2", 25), expectedOutput);

    std::vector<std::uint8_t> answer(33, 0);
    answer[0] = 0x01;
    answer[4] = 0x50;
    answer[32] = 0x99;
    tree_.sendInputReport("hidraw2", answer);
    std::vector<std::uint8_t> reply;
    link.ReadReport(reply);
    EXPECT_EQ(reply, answer);
    EXPECT_TRUE(link.deviceDetected());
}

TEST_F(HidrawPlatformTest, UnnumberedReportsCarryReportIdZeroInByteZero) {
    tree_.addInterface("hidraw0", 0x1234, 0x5678, kUnnumberedDescriptor);
    const Handle writer = platform_.createFile(tree_.devicePath("hidraw0"), false);

    const std::vector<std::uint8_t> report = {0x01, 0x42};
    platform_.writeFile(writer, report);
    EXPECT_EQ(tree_.readOutput("hidraw0", 2), (Bytes{0x00, 0x42}));

    tree_.sendInputReport("hidraw0", {0x0A, 0x0B, 0x0C, 0x0D});
    std::vector<std::uint8_t> buffer(5, 0xEE);
    ASSERT_EQ(readInto("hidraw0", buffer, kArrivalLimitMs), WaitResult::Arrived);
    EXPECT_EQ(buffer, (Bytes{0x00, 0x0A, 0x0B, 0x0C, 0x0D}));
    EXPECT_TRUE(platform_.waitForSingleObject(event_, 0) == WaitResult::Arrived);  // the event stays signalled
}

TEST_F(HidrawPlatformTest, AReadWithoutReportTimesOutAndLeavesTheBufferAlone) {
    tree_.addInterface("hidraw0", 0xFFFF, 0xFFFC, kReaderDescriptor);
    std::vector<std::uint8_t> buffer(33, 0);

    EXPECT_EQ(readInto("hidraw0", buffer, 0), WaitResult::TimedOut);
    platform_.cancelIo(readHandle_);
    tree_.sendInputReport("hidraw0", std::vector<std::uint8_t>(33, 0x11));

    EXPECT_EQ(platform_.waitForSingleObject(event_, 0), WaitResult::TimedOut);
    EXPECT_EQ(buffer, Bytes(33, 0));
}

TEST_F(HidrawPlatformTest, AHangUpIsAFailedWaitNotAnArrival) {
    tree_.addInterface("hidraw0", 0xFFFF, 0xFFFC, kReaderDescriptor);
    const Handle reader = platform_.createFile(tree_.devicePath("hidraw0"), true);
    const Event event = platform_.createEvent();
    std::vector<std::uint8_t> buffer(33, 0);
    platform_.readFile(reader, buffer, event);

    tree_.unplug("hidraw0");

    EXPECT_EQ(platform_.waitForSingleObject(event, kArrivalLimitMs), WaitResult::Failed);
}

TEST_F(HidrawPlatformTest, DiscardDropsReportsAlreadyWaiting) {
    tree_.addInterface("hidraw0", 0xFFFF, 0xFFFC, kReaderDescriptor);
    const Handle reader = platform_.createFile(tree_.devicePath("hidraw0"), true);
    tree_.sendInputReport("hidraw0", std::vector<std::uint8_t>(33, 0x77));

    platform_.discardPendingInput(reader);

    const Event event = platform_.createEvent();
    std::vector<std::uint8_t> buffer(33, 0);
    platform_.readFile(reader, buffer, event);
    EXPECT_EQ(platform_.waitForSingleObject(event, 0), WaitResult::TimedOut);
}

TEST_F(HidrawPlatformTest, ADeviceNeverLandsOnAStandardStreamNumber) {
    tree_.addInterface("hidraw0", 0xFFFF, 0xFFFC, kReaderDescriptor);
    const int savedInput = ::fcntl(0, F_DUPFD_CLOEXEC, 3);
    ::close(0);

    const Handle device = platform_.createFile(tree_.devicePath("hidraw0"), false);

    if (savedInput >= 0) {
        ::dup2(savedInput, 0);
        ::close(savedInput);
    }
    EXPECT_GE(device, 3);
}

TEST_F(HidrawPlatformTest, AMissingNodeOrUeventIsRefusedWithoutHarm) {
    tree_.addInterfaceWithoutNode("hidraw0");
    EXPECT_FALSE(isOpen(platform_.createFile(tree_.devicePath("hidraw0"), false)));

    tree_.addInterface("hidraw1", 0xFFFF, 0xFFFC, kReaderDescriptor);
    std::filesystem::remove(tree_.sysfsRoot() / "hidraw1" / "device" / "uevent");
    const Handle device = platform_.createFile(tree_.devicePath("hidraw1"), false);
    DeviceAttributes attributes;
    EXPECT_FALSE(platform_.getAttributes(device, attributes));
}

// No hidraw device at all (an empty or missing class folder, or this machine): no reader, no error.
TEST(HidrawDiscoveryTest, WithoutDevicesTheLinkReportsNotConnected) {
    FakeHidrawTree emptyTree;
    HidrawPlatform empty(emptyTree.sysfsRoot(), emptyTree.deviceFolder());
    HidrawPlatform missing(emptyTree.sysfsRoot() / "absent", emptyTree.deviceFolder());
    const auto system = makeSystemHidPlatform();

    for (HidPlatform* platform :
         {static_cast<HidPlatform*>(&empty), static_cast<HidPlatform*>(&missing), system.get()}) {
        RecordingObserver observer;
        HidLink link(*platform, observer);
        EXPECT_FALSE(link.FindTheHid());
        EXPECT_EQ(observer.lastStatus, "Not connected!");
    }
}

}  // namespace
}  // namespace cdr::hid::test
