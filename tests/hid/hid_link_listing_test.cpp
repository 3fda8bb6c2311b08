#include <gtest/gtest.h>

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

}  // namespace
}  // namespace cdr::hid::test
