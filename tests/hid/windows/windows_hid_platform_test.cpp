#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "hid/system_platform.h"
#include "test_pipe.h"

namespace cdr::hid {
namespace {

using test::TestPipe;

// The HID interface class, {4D1E55B2-F16F-11CF-88CB-001111000030}, in its in-memory byte order.
constexpr std::array<std::uint8_t, 16> kHidClassBytes = {0xB2, 0x55, 0x1E, 0x4D, 0x6F, 0xF1, 0xCF, 0x11,
                                                         0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30};
// Reads that are meant to run out wait this long; reads of data already sent get the generous bound.
constexpr std::uint32_t kShortTimeoutMs = 10;
constexpr std::uint32_t kGenerousTimeoutMs = 10000;
constexpr std::array<std::uint8_t, 8> kReport = {0x02, 0x00, 0x04, 0x50, 0x31, 0x32, 0x03, 0x66};

std::vector<std::uint8_t> reportBytes() { return {kReport.begin(), kReport.end()}; }

std::vector<std::string> presentHidPaths(HidPlatform& platform) {
    const InterfaceClass hidClass = platform.getHidGuid();
    const DeviceList list = platform.getClassDevs(hidClass);
    std::vector<std::string> paths;
    DeviceInterface entry;
    for (std::uint32_t index = 0; platform.enumDeviceInterfaces(list, hidClass, index, entry); ++index) {
        EXPECT_EQ(entry.memberIndex, index);
        paths.push_back(platform.getInterfaceDevicePath(list, entry, platform.getInterfaceDetailSize(list, entry)));
    }
    platform.destroyDeviceInfoList(list);
    return paths;
}

bool allZero(const std::vector<std::uint8_t>& bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t byte) { return byte == 0; });
}

TEST(WindowsHidPlatform, ListsPresentHidInterfacesInAStableOrderAndOpensThem) {
    const auto platform = makeSystemHidPlatform();
    EXPECT_EQ(platform->getHidGuid().id, kHidClassBytes);

    // Wine offers a few virtual HID devices (how many is its business); each must be usable like a real one.
    const std::vector<std::string> paths = presentHidPaths(*platform);
    EXPECT_EQ(presentHidPaths(*platform), paths);
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        EXPECT_EQ(path.rfind("\\\\?\\", 0), 0u);
        const Handle device = platform->createFile(path, false);
        if (!isOpen(device)) continue;  // held exclusively by the system
        DeviceAttributes attributes;
        EXPECT_TRUE(platform->getAttributes(device, attributes));
        const PreparsedData data = platform->getPreparsedData(device);
        EXPECT_NE(data, 0);
        EXPECT_GT(platform->getCaps(data).inputReportByteLength, 0);
        platform->freePreparsedData(data);
        platform->closeHandle(device);
    }
}

TEST(WindowsHidPlatform, DetailSizeTooSmallForTheRecordGivesNoPath) {
    const auto platform = makeSystemHidPlatform();
    const InterfaceClass hidClass = platform->getHidGuid();
    const DeviceList list = platform->getClassDevs(hidClass);
    DeviceInterface entry;
    if (!platform->enumDeviceInterfaces(list, hidClass, 0, entry)) {
        platform->destroyDeviceInfoList(list);
        GTEST_SKIP() << "no HID device present";
    }
    for (const std::uint32_t requiredSize : {0u, 3u, 4u}) {
        EXPECT_EQ(platform->getInterfaceDevicePath(list, entry, requiredSize), "") << requiredSize;
    }
    platform->destroyDeviceInfoList(list);
}

TEST(WindowsHidPlatform, CreateFileGivesAnOpenHandleOnlyForAnExistingPath) {
    const auto platform = makeSystemHidPlatform();
    const TestPipe device;
    struct Case {
        std::string path;
        bool overlapped;
        bool opens;
    };
    const Case cases[] = {
        {device.path(), false, true},
        {"\\\\.\\pipe\\cdr-hid-test-no-such-pipe", false, false},
        {"", true, false},
    };
    for (const Case& c : cases) {
        const Handle handle = platform->createFile(c.path, c.overlapped);
        EXPECT_EQ(isOpen(handle), c.opens) << c.path;
        EXPECT_TRUE(isOpen(handle) || handle == kNoHandle) << c.path;
        platform->closeHandle(handle);
    }
}

TEST(WindowsHidPlatform, WriteFileHandsTheWholeReportOver) {
    const auto platform = makeSystemHidPlatform();
    TestPipe device;
    const Handle handle = platform->createFile(device.path(), false);
    ASSERT_TRUE(isOpen(handle));
    platform->writeFile(handle, kReport);
    EXPECT_EQ(device.takeReceived(), reportBytes());
    platform->closeHandle(handle);
    EXPECT_TRUE(device.clientClosed());
}

// Reads one report that device sends before or after the read started, over a handle of its own.
std::vector<std::uint8_t> readOneReport(HidPlatform& platform, TestPipe& device, Event completion,
                                        bool sentBeforeRead) {
    const Handle handle = platform.createFile(device.path(), true);
    EXPECT_TRUE(isOpen(handle));
    std::vector<std::uint8_t> buffer(kReport.size(), 0);
    if (sentBeforeRead) device.send(kReport);
    platform.readFile(handle, buffer, completion);
    if (!sentBeforeRead) device.send(kReport);
    EXPECT_EQ(platform.waitForSingleObject(completion, kGenerousTimeoutMs), WaitResult::Arrived);
    platform.closeHandle(handle);
    return buffer;
}

TEST(WindowsHidPlatform, OverlappedReadDeliversAReportWhetherItCameBeforeOrDuringTheRead) {
    for (const bool sentBeforeRead : {true, false}) {
        SCOPED_TRACE(sentBeforeRead ? "sent before the read" : "sent during the read");
        const auto platform = makeSystemHidPlatform();
        TestPipe device;
        const Event completion = platform->createEvent();
        ASSERT_NE(completion, 0);

        EXPECT_EQ(readOneReport(*platform, device, completion, sentBeforeRead), reportBytes());
        platform->resetEvent(completion);
        EXPECT_EQ(platform->waitForSingleObject(completion, 0), WaitResult::TimedOut);
        platform->closeHandle(completion);
    }
}

// The event starts out signalled, so the read itself has to unsignal it; once the read is abandoned, a report
// that comes later must stay out of the buffer.
TEST(WindowsHidPlatform, AbandonedReadTimesOutAndNeverWritesItsBufferAfterwards) {
    for (const bool cancelFirst : {true, false}) {
        SCOPED_TRACE(cancelFirst ? "cancelled, then closed" : "closed while pending");
        const auto platform = makeSystemHidPlatform();
        TestPipe device;
        const Handle handle = platform->createFile(device.path(), true);
        ASSERT_TRUE(isOpen(handle));
        const Event completion = platform->createEvent();
        EXPECT_EQ(platform->waitForSingleObject(completion, 0), WaitResult::Arrived);
        std::vector<std::uint8_t> buffer(kReport.size(), 0);

        platform->readFile(handle, buffer, completion);
        EXPECT_EQ(platform->waitForSingleObject(completion, kShortTimeoutMs), WaitResult::TimedOut);
        if (cancelFirst) {
            platform->cancelIo(handle);
            device.send(kReport);
            EXPECT_TRUE(allZero(buffer));
        }
        platform->closeHandle(handle);
        EXPECT_TRUE(allZero(buffer));
        EXPECT_TRUE(device.clientClosed());

        // The platform reads again normally afterwards, with the same event.
        TestPipe nextDevice;
        platform->resetEvent(completion);
        EXPECT_EQ(readOneReport(*platform, nextDevice, completion, false), reportBytes());
        platform->closeHandle(completion);
    }
}

// A read that ends in an error signals its event just as one that delivered a report, and one that cannot start
// may leave the event signalled from before: either is a failed wait with the system's reason.
TEST(WindowsHidPlatform, ReadThatFailsIsAFailedWaitWithTheSystemsReason) {
    for (const bool duringTheRead : {true, false}) {
        SCOPED_TRACE(duringTheRead ? "device gone during the read" : "device gone before the read");
        const auto platform = makeSystemHidPlatform();
        TestPipe device;
        const Handle handle = platform->createFile(device.path(), true);
        ASSERT_TRUE(isOpen(handle));
        const Event completion = platform->createEvent();
        std::vector<std::uint8_t> buffer(kReport.size(), 0);

        if (!duringTheRead) device.disconnect();
        platform->readFile(handle, buffer, completion);
        if (duringTheRead) device.disconnect();
        EXPECT_EQ(platform->waitForSingleObject(completion, kGenerousTimeoutMs), WaitResult::Failed);
        EXPECT_NE(platform->lastError().code, 0);
        EXPECT_FALSE(platform->lastError().text.empty());
        EXPECT_TRUE(allZero(buffer));
        platform->closeHandle(handle);
        platform->closeHandle(completion);
    }
}

TEST(WindowsHidPlatform, DeviceHandlesAndTheEventAreNotInheritedByChildProcesses) {
    const auto platform = makeSystemHidPlatform();
    // A pipe takes one client: each open has a device of its own.
    const TestPipe device;
    const TestPipe deviceForReads;
    for (const Handle handle : {platform->createFile(device.path(), false),
                                platform->createFile(deviceForReads.path(), true), platform->createEvent()}) {
        DWORD flags = 0;
        ASSERT_TRUE(GetHandleInformation(reinterpret_cast<HANDLE>(handle), &flags));
        EXPECT_EQ(flags & HANDLE_FLAG_INHERIT, 0u);
        platform->closeHandle(handle);
    }
}

TEST(WindowsHidPlatform, WaitOnSomethingThatIsNotAnEventFails) {
    const auto platform = makeSystemHidPlatform();
    EXPECT_EQ(platform->waitForSingleObject(kNoHandle, 0), WaitResult::Failed);
}

}  // namespace
}  // namespace cdr::hid
