#include <gtest/gtest.h>

#include <algorithm>

#include "sim_link_fixture.h"

namespace cdr::hid::test {
namespace {

class HidLinkListingTest : public SimLinkTest {};

TEST_F(HidLinkListingTest, ListsEveryReaderWithWhetherItOpensAndNoOtherDevice) {
    platform_.addDevice(virtualReader("/dev/hidraw0"));
    platform_.addDevice(virtualDevice("/dev/hidraw1", READER_VENDOR_ID, 0xFFFB));
    sim::VirtualDevice locked = virtualReader("/dev/hidraw2");
    locked.refusesOpen = true;
    platform_.addDevice(locked);

    const auto readers = link_.listReaders();
    ASSERT_EQ(readers.size(), 2u);
    EXPECT_EQ(readers[0].path, "/dev/hidraw0");
    EXPECT_TRUE(readers[0].opens);
    EXPECT_EQ(readers[1].path, "/dev/hidraw2");
    EXPECT_FALSE(readers[1].opens);
    EXPECT_EQ(readers[1].reason.text, "Permission denied");
    EXPECT_TRUE(platform_.openHandles().empty());
    EXPECT_FALSE(link_.deviceDetected());
}

TEST_F(HidLinkListingTest, OpensTheReaderAtAPathAndSaysWhyAnotherCannotBe) {
    platform_.addDevice(virtualReader("/dev/hidraw0"));
    const std::size_t second = platform_.addDevice(virtualReader("/dev/hidraw1"));

    ASSERT_TRUE(link_.openReader("/dev/hidraw1"));
    EXPECT_EQ(platform_.handlesOf(second).size(), 2u);
    EXPECT_EQ(link_.outputReportLength(), kReaderOutputLength);

    platform_.unplug(second);
    EXPECT_FALSE(link_.openReader("/dev/hidraw1"));
    EXPECT_EQ(link_.openError().text, "No such file or directory");
    EXPECT_EQ(link_.listReaders().size(), 1u);
}

// Where the system describes devices before they are opened, discovery and listing open only the reader's
// command interfaces: a node of the reader's identity that is only a keyboard is passed over without a word.
struct Topology {
    const char* name;
    std::vector<sim::VirtualDevice> devices;
    std::vector<std::string> listed;
};

class TopologyTest : public SimLinkTest, public ::testing::WithParamInterface<Topology> {};

sim::VirtualDevice readersKeyboard(std::string path) {
    sim::VirtualDevice keyboard = virtualReader(std::move(path));
    keyboard.onlyKeyboardsAndMice = true;
    return keyboard;
}

TEST_P(TopologyTest, OnlyCommandInterfacesAreOpenedAndListed) {
    platform_.describeDevicesUnopened();
    for (const auto& device : GetParam().devices) platform_.addDevice(device);

    const auto readers = link_.listReaders();
    const bool found = link_.FindTheHid();

    std::vector<std::string> listed;
    for (const auto& reader : readers) listed.push_back(reader.path);
    EXPECT_EQ(listed, GetParam().listed);
    EXPECT_EQ(found, !listed.empty());
    EXPECT_EQ(found ? link_.devicePath() : "", listed.empty() ? "" : listed.front());
    for (std::size_t index = 0; index < GetParam().devices.size(); ++index) {
        const auto& path = GetParam().devices[index].path;
        const bool command = std::find(listed.begin(), listed.end(), path) != listed.end();
        EXPECT_EQ(platform_.openAttempts(index) > 0, command) << path;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Discovery, TopologyTest,
    ::testing::Values(Topology{"KeyboardInterfaceFirst",
                               {readersKeyboard("/dev/hidraw0"), virtualReader("/dev/hidraw1")},
                               {"/dev/hidraw1"}},
                      Topology{"KeyboardOnly", {readersKeyboard("/dev/hidraw0")}, {}},
                      // Keyboard and command collection on one node: the platform tells it is not only a keyboard.
                      Topology{"CombinedNode", {virtualReader("/dev/hidraw0")}, {"/dev/hidraw0"}},
                      Topology{"OtherVendor",
                               {virtualDevice("/dev/hidraw0", 0x046D, 0xC52B), virtualReader("/dev/hidraw1")},
                               {"/dev/hidraw1"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cdr::hid::test
