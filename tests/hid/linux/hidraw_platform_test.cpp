#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fstream>

#include "fake_hidraw_tree.h"
#include "hid/hid_link.h"
#include "hid/linux/hidraw_platform.h"
#include "hid/system_platform.h"
#include "test_descriptors.h"
#include "../recording_observer.h"

namespace cdr::hid::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A bound for waits on reports the test has already sent: they return on arrival.
constexpr std::uint32_t kArrivalLimitMs = 5000;

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

    // Opens a read handle; reports sent from then on reach it.
    void openReader(const std::string& interfaceName) {
        readHandle_ = platform_.createFile(tree_.devicePath(interfaceName), true);
        event_ = platform_.createEvent();
    }

    // Starts a read into the buffer on the read handle and waits for it.
    WaitResult readInto(std::span<std::uint8_t> buffer, std::uint32_t timeoutMs) {
        platform_.readFile(readHandle_, buffer, event_);
        return platform_.waitForSingleObject(event_, timeoutMs);
    }

    FakeHidrawTree tree_;
    HidrawPlatform platform_{tree_.sysfsRoot(), tree_.deviceFolder(), tree_.opener()};
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
    EXPECT_EQ(tree_.readOutput("hidraw2"), expectedOutput);

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
    EXPECT_EQ(tree_.readOutput("hidraw0"), (Bytes{0x00, 0x42}));

    openReader("hidraw0");
    tree_.sendInputReport("hidraw0", {0x0A, 0x0B, 0x0C, 0x0D});
    std::vector<std::uint8_t> buffer(5, 0xEE);
    ASSERT_EQ(readInto(buffer, kArrivalLimitMs), WaitResult::Arrived);
    EXPECT_EQ(buffer, (Bytes{0x00, 0x0A, 0x0B, 0x0C, 0x0D}));
    EXPECT_TRUE(platform_.waitForSingleObject(event_, 0) == WaitResult::Arrived);  // the event stays signalled
}

TEST_F(HidrawPlatformTest, AReadWithoutReportTimesOutAndLeavesTheBufferAlone) {
    tree_.addInterface("hidraw0", 0xFFFF, 0xFFFC, kReaderDescriptor);
    std::vector<std::uint8_t> buffer(33, 0);

    openReader("hidraw0");
    EXPECT_EQ(readInto(buffer, 0), WaitResult::TimedOut);
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
    EXPECT_NE(platform_.lastError().code, 0) << "the failed wait keeps its cause";
}

// A keyboard-wedge reader whose keyboard interface comes first: sysfs tells that node holds only a keyboard, so
// it is never opened, by discovery or by listing, and the link goes on to the command interface. Devices of
// another identity are never opened either.
TEST_F(HidrawPlatformTest, TheLinkPassesOverTheReadersKeyboardInterface) {
    tree_.addInterface("hidraw0", 0xFFFF, 0xFFFC, kKeyboardDescriptor);
    tree_.addInterface("hidraw1", 0x045E, 0x0750, kUnnumberedDescriptor);
    tree_.addInterface("hidraw2", 0xFFFF, 0xFFFC, kReaderDescriptor);
    RecordingObserver observer;
    HidLink link(platform_, observer);

    ASSERT_TRUE(link.FindTheHid());
    link.CloseDeviceHandles();
    const auto readers = link.listReaders();

    EXPECT_EQ(link.devicePath(), tree_.devicePath("hidraw2"));
    ASSERT_EQ(readers.size(), 1U);
    EXPECT_EQ(readers[0].path, tree_.devicePath("hidraw2"));
    EXPECT_EQ(tree_.opens("hidraw0"), 0);
    EXPECT_EQ(tree_.opens("hidraw1"), 0);
    errno = 0;
    EXPECT_FALSE(isOpen(platform_.createFile(tree_.devicePath("hidraw0"), false)));
    EXPECT_EQ(errno, EACCES);
}

// Keyboard and command collection on one node: stale reports of both are dropped before the write, and key
// reports that arrive before the answer are passed over.
TEST_F(HidrawPlatformTest, OnACombinedNodeKeyReportsAreNeverTheAnswer) {
    tree_.addInterface("hidraw0", 0xFFFF, 0xFFFC, kCombinedDescriptor);
    RecordingObserver observer;
    HidLink link(platform_, observer);
    ASSERT_TRUE(link.FindTheHid());
    EXPECT_EQ(link.inputReportLength(), 33);
    EXPECT_EQ(link.outputReportLength(), 25);

    Bytes keyReport(34, 0);
    keyReport[0] = kKeyReportId;
    keyReport[3] = 0x04;
    Bytes staleAnswer(33, 0x77);
    staleAnswer[0] = 0x01;
    for (const Bytes& stale : {staleAnswer, keyReport, staleAnswer}) {
        tree_.sendInputReport("hidraw0", stale);
    }
    link.WriteReport(Bytes(25, 0x02));
    Bytes answer(33, 0);
    answer[0] = 0x01;
    answer[4] = 0x50;
    for (const Bytes& report : {keyReport, keyReport, answer}) {
        tree_.sendInputReport("hidraw0", report);
    }
    Bytes reply;
    link.ReadReport(reply);

    EXPECT_EQ(reply, answer);
    EXPECT_TRUE(link.deviceDetected());
    // Key reports alone never complete a read.
    tree_.sendInputReport("hidraw0", keyReport);
    std::vector<std::uint8_t> buffer(33, 0);
    platform_.readFile(link.readHandle(), buffer, link.readEvent());
    EXPECT_EQ(platform_.waitForSingleObject(link.readEvent(), 0), WaitResult::TimedOut);
    EXPECT_EQ(buffer, Bytes(33, 0));
}

TEST_F(HidrawPlatformTest, OnlyTheReadHandleIsNonBlocking) {
    tree_.addInterface("hidraw0", 0xFFFF, 0xFFFC, kReaderDescriptor);
    for (const bool overlapped : {false, true}) {
        const Handle device = platform_.createFile(tree_.devicePath("hidraw0"), overlapped);
        ASSERT_TRUE(isOpen(device));
        EXPECT_EQ((::fcntl(static_cast<int>(device), F_GETFL) & O_NONBLOCK) != 0, overlapped);
    }
}

TEST_F(HidrawPlatformTest, AReportLongerThanTheBufferIsCutToIt) {
    tree_.addInterface("hidraw0", 0xFFFF, 0xFFFC, kReaderDescriptor);
    openReader("hidraw0");
    Bytes memory(33 + 8, 0xEE);

    tree_.sendInputReport("hidraw0", Bytes(60, 0x11));
    ASSERT_EQ(readInto(std::span(memory).first(33), kArrivalLimitMs), WaitResult::Arrived);

    Bytes expected(33, 0x11);
    expected.resize(memory.size(), 0xEE);
    EXPECT_EQ(memory, expected);
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

// Key reports that keep coming never stretch a wait for the answer past its time.
TEST(HidrawDeadlineTest, KeyReportsDoNotStretchTheWait) {
    FakeHidrawTree tree;
    tree.addInterface("hidraw0", 0xFFFF, 0xFFFC, kCombinedDescriptor);
    // Every look at the clock is 100 ms later.
    std::chrono::steady_clock::time_point now{};
    HidrawPlatform platform(tree.sysfsRoot(), tree.deviceFolder(), tree.opener(),
                            [&now] { return now += std::chrono::milliseconds(100); });
    const Handle reader = platform.createFile(tree.devicePath("hidraw0"), true);
    const Event event = platform.createEvent();
    Bytes keyReport(34, 0);
    keyReport[0] = kKeyReportId;
    for (int report = 0; report < 60; ++report) tree.sendInputReport("hidraw0", keyReport);
    Bytes buffer(33, 0);

    platform.readFile(reader, buffer, event);
    const auto started = now;
    EXPECT_EQ(platform.waitForSingleObject(event, 3000), WaitResult::TimedOut);

    EXPECT_LE(now - started, std::chrono::milliseconds(3000 + 200));
}

// Two programs on one reader: the second cannot open it for writing and is told who holds it, also when it lists the
// readers, until the first lets go.
TEST(HidrawClaimTest, ASecondWriterIsRefusedAndToldWhoHoldsTheReader) {
    FakeHidrawTree tree;
    tree.addInterface("hidraw0", 0xFFFF, 0xFFFC, kReaderDescriptor);
    // A plain file in the node's place, opened as such: each open is a file description of its own, as on a node.
    std::filesystem::path node = tree.devicePath("hidraw0");
    std::ofstream(node).put('\n');
    HidrawPlatform firstProgram(tree.sysfsRoot(), tree.deviceFolder());
    HidrawPlatform secondProgram(tree.sysfsRoot(), tree.deviceFolder());
    RecordingObserver observer;
    HidLink first(firstProgram, observer);
    HidLink second(secondProgram, observer);

    ASSERT_TRUE(first.openReader(node));
    EXPECT_FALSE(second.openReader(node));
    EXPECT_EQ(second.openError().code, EBUSY);
    const std::string holder = "(process " + std::to_string(::getpid()) + ")";
    EXPECT_NE(second.openError().text.find(holder), std::string::npos) << second.openError().text;
    EXPECT_NE(second.listReaders().at(0).inUseBy.find(holder), std::string::npos);

    first.CloseDeviceHandles();
    EXPECT_EQ(second.listReaders().at(0).inUseBy, "");
    EXPECT_TRUE(second.openReader(node));
}

// No hidraw device at all (an empty or missing class folder): no reader, no error.
TEST(HidrawDiscoveryTest, WithoutDevicesTheLinkReportsNotConnected) {
    FakeHidrawTree emptyTree;
    HidrawPlatform empty(emptyTree.sysfsRoot(), emptyTree.deviceFolder());
    HidrawPlatform missing(emptyTree.sysfsRoot() / "absent", emptyTree.deviceFolder());

    for (HidrawPlatform* platform : {&empty, &missing}) {
        RecordingObserver observer;
        HidLink link(*platform, observer);
        EXPECT_FALSE(link.FindTheHid());
        EXPECT_EQ(observer.lastStatus, "Not connected!");
    }
}

// This machine's own hidraw devices, whatever is plugged in: discovery ends, and says what it found.
TEST(HidrawDiscoveryTest, DiscoveryOverThisMachineEndsWithItsStatus) {
    const auto system = makeSystemHidPlatform();
    RecordingObserver observer;
    HidLink link(*system, observer);

    const bool found = link.FindTheHid();

    EXPECT_EQ(observer.lastStatus, found ? "Connected!" : "Not connected!");
    EXPECT_EQ(link.deviceDetected(), found);
}

}  // namespace
}  // namespace cdr::hid::test
