#include <gtest/gtest.h>

#include <algorithm>

#include "sim_link_fixture.h"

namespace cdr::hid::test {
namespace {

using Calls = std::vector<std::string>;

using DiscoveryTest = SimLinkTest;

TEST_F(DiscoveryTest, FullDiscoverySkipsAnotherProductAndLogsEveryCallInOrder) {
    const auto other = platform_.addDevice(virtualDevice("/hid/other", READER_VENDOR_ID, 0xFFFB));
    const auto reader = platform_.addDevice(virtualReader("/hid/reader"));

    ASSERT_TRUE(link_.FindTheHid());

    EXPECT_EQ(observer_.calls,
              (Calls{"GetHidGuid", "SetupDiClassDevs",
                     // the other product: opened, queried, closed
                     "SetupDiEnumDeviceInterfaces", "SetupDiGetDeviceInterfaceDetail",
                     " Result of second call: ", "CreateFile", "HidD_GetAttributes", "CloseHandle",
                     // the reader
                     "SetupDiEnumDeviceInterfaces", "SetupDiGetDeviceInterfaceDetail",
                     " Result of second call: ", "CreateFile", "HidD_GetAttributes", "DestroyDeviceInfoList",
                     "HidD_GetPreparsedData", "HidP_GetCaps", "HidD_FreePreparsedData", "CreateFile, ReadHandle",
                     "status: Connected!", "CreateEvent"}));
    ASSERT_EQ(platform_.handlesOf(other).size(), 1U);
    EXPECT_EQ(platform_.closeCount(platform_.handlesOf(other)[0]), 1);

    const auto readerHandles = platform_.handlesOf(reader);
    ASSERT_EQ(readerHandles.size(), 2U);
    EXPECT_TRUE(link_.deviceDetected());
    EXPECT_EQ(link_.devicePath(), "/hid/reader");
    EXPECT_EQ(link_.hidHandle(), readerHandles[0]);
    EXPECT_EQ(link_.readHandle(), readerHandles[1]);
    EXPECT_FALSE(platform_.openedOverlapped(link_.hidHandle()));
    EXPECT_TRUE(platform_.openedOverlapped(link_.readHandle())) << "reads must be bounded";
    EXPECT_EQ(link_.inputReportLength(), kReaderInputLength);
    EXPECT_EQ(link_.outputReportLength(), kReaderOutputLength);
    EXPECT_NE(link_.readEvent(), 0);
    EXPECT_EQ(platform_.liveDeviceLists(), 0);
    EXPECT_EQ(platform_.livePreparsedData(), 0);
}

TEST_F(DiscoveryTest, OfTwoReadersTheLowerIndexIsTakenAndTheOtherNeverOpened) {
    const auto first = platform_.addDevice(virtualReader("/hid/first"));
    const auto second = platform_.addDevice(virtualReader("/hid/second"));

    ASSERT_TRUE(link_.FindTheHid());

    EXPECT_EQ(link_.devicePath(), "/hid/first");
    EXPECT_EQ(platform_.handlesOf(first).size(), 2U);
    EXPECT_EQ(platform_.openAttempts(second), 0);
}

TEST_F(DiscoveryTest, ADeviceThatRefusesToOpenDoesNotStopTheSearch) {
    sim::VirtualDevice locked = virtualReader("/hid/locked");
    locked.refusesOpen = true;
    const auto refusing = platform_.addDevice(locked);
    platform_.addDevice(virtualReader("/hid/reader"));

    ASSERT_TRUE(link_.FindTheHid());

    EXPECT_EQ(link_.devicePath(), "/hid/reader");
    EXPECT_EQ(platform_.openAttempts(refusing), 1);
    EXPECT_EQ(platform_.staleHandleUses(), 0);
    // Nothing was opened, so nothing is closed for it.
    EXPECT_EQ(std::count(observer_.calls.begin(), observer_.calls.end(), "CloseHandle"), 0);
}

// Search failures: every case ends with one enumeration, the list released, nothing left open and
// "Not connected!".
struct FailedSearch {
    const char* name;
    std::vector<sim::VirtualDevice> devices;
};

class FailedSearchTest : public SimLinkTest, public ::testing::WithParamInterface<FailedSearch> {};

TEST_P(FailedSearchTest, EndsWithNotConnectedAndNothingOpen) {
    for (const auto& device : GetParam().devices) {
        platform_.addDevice(device);
    }

    EXPECT_FALSE(link_.FindTheHid());

    EXPECT_FALSE(link_.deviceDetected());
    EXPECT_EQ(observer_.lastStatus, "Not connected!");
    EXPECT_EQ(platform_.classDevsCalls(), 1);
    EXPECT_EQ(platform_.liveDeviceLists(), 0);
    EXPECT_TRUE(platform_.openHandles().empty());
    EXPECT_EQ(link_.hidHandle(), kNoHandle);
    EXPECT_EQ(platform_.createdEvents(), 0);
}

sim::VirtualDevice refusingReader() {
    sim::VirtualDevice device = virtualReader("/hid/locked");
    device.refusesOpen = true;
    return device;
}

INSTANTIATE_TEST_SUITE_P(Discovery, FailedSearchTest,
                         ::testing::Values(FailedSearch{"NoDevices", {}},
                                           FailedSearch{"OnlyOtherDevices",
                                                        {virtualDevice("/hid/keyboard", 0x1234, 0x5678),
                                                         virtualDevice("/hid/sibling", READER_VENDOR_ID, 0xFFFB),
                                                         virtualDevice("/hid/vendor", 0xFFFE, READER_PRODUCT_ID)}},
                                           FailedSearch{"ReaderRefusesToOpen", {refusingReader()}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DiscoveryTest, WithNoDevicesOnlyTheEnumerationIsLogged) {
    EXPECT_FALSE(link_.FindTheHid());
    EXPECT_EQ(observer_.calls, (Calls{"GetHidGuid", "SetupDiClassDevs", "SetupDiEnumDeviceInterfaces",
                                      "DestroyDeviceInfoList", "status: Not connected!"}));
}

TEST_F(DiscoveryTest, ASecondDiscoveryReusesTheReadEvent) {
    platform_.addDevice(virtualReader("/hid/reader"));
    ASSERT_TRUE(link_.FindTheHid());
    const Event firstEvent = link_.readEvent();
    link_.CloseDeviceHandles();

    const std::size_t before = observer_.calls.size();
    ASSERT_TRUE(link_.FindTheHid());

    EXPECT_EQ(link_.readEvent(), firstEvent);
    EXPECT_EQ(platform_.createdEvents(), 1);
    EXPECT_EQ(callsSince(before).back(), "CreateEvent");
}

TEST_F(DiscoveryTest, ClosingTwiceClosesEachHandleOnce) {
    platform_.addDevice(virtualReader("/hid/reader"));
    ASSERT_TRUE(link_.FindTheHid());
    const Handle writer = link_.hidHandle();
    const Handle reader = link_.readHandle();

    const std::size_t before = observer_.calls.size();
    link_.CloseDeviceHandles();  // Disconnect
    link_.CloseDeviceHandles();  // window unload

    EXPECT_EQ(callsSince(before), (Calls{"CloseHandle (HIDHandle)", "CloseHandle (ReadHandle)"}));
    EXPECT_EQ(platform_.closeCount(writer), 1);
    EXPECT_EQ(platform_.closeCount(reader), 1);
    EXPECT_FALSE(link_.deviceDetected());
    EXPECT_EQ(platform_.staleHandleUses(), 0);
}

TEST_F(DiscoveryTest, ADiscoveryWhileConnectedClosesTheEarlierHandlesFirst) {
    platform_.addDevice(virtualReader("/hid/reader"));
    ASSERT_TRUE(link_.FindTheHid());
    const Handle oldWriter = link_.hidHandle();
    const Handle oldReader = link_.readHandle();

    ASSERT_TRUE(link_.FindTheHid());

    EXPECT_EQ(platform_.closeCount(oldWriter), 1);
    EXPECT_EQ(platform_.closeCount(oldReader), 1);
    EXPECT_EQ(platform_.openHandles(), (std::vector<Handle>{link_.hidHandle(), link_.readHandle()}));
}

// A detail record must at least hold its own 4-byte size field to be examined.
struct DetailSizeCase {
    std::uint32_t size;
    bool examined;
};

class DetailSizeTest : public SimLinkTest, public ::testing::WithParamInterface<DetailSizeCase> {};

TEST_P(DetailSizeTest, TooSmallARecordSkipsTheCandidate) {
    sim::VirtualDevice odd = virtualReader("/hid/odd");
    odd.detailSize = GetParam().size;
    const auto candidate = platform_.addDevice(odd);
    platform_.addDevice(virtualReader("/hid/reader"));

    ASSERT_TRUE(link_.FindTheHid());

    EXPECT_EQ(platform_.detailSizesReported().front(), GetParam().size);
    EXPECT_EQ(platform_.openAttempts(candidate) > 0, GetParam().examined);
    EXPECT_EQ(link_.devicePath(), GetParam().examined ? "/hid/odd" : "/hid/reader");
}

INSTANTIATE_TEST_SUITE_P(Discovery, DetailSizeTest,
                         ::testing::Values(DetailSizeCase{0, false}, DetailSizeCase{3, false},
                                           DetailSizeCase{4, true}));

TEST_F(DiscoveryTest, DestroyingTheLinkClosesWhatIsStillOpen) {
    platform_.addDevice(virtualReader("/hid/reader"));
    {
        HidLink link(platform_, observer_);
        ASSERT_TRUE(link.FindTheHid());
    }
    EXPECT_TRUE(platform_.openHandles().empty());
}

}  // namespace
}  // namespace cdr::hid::test
