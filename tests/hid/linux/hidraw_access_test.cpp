// The helper that the udev rule runs on each hidraw node of the reader, over a table of descriptors.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "fake_hidraw_tree.h"
#include "test_descriptors.h"

namespace cdr::hid::test {
namespace {

struct AccessCase {
    const char* name;
    std::vector<std::uint8_t> descriptor;
    int exitStatus;
};

class HidrawAccessTest : public ::testing::TestWithParam<AccessCase> {};

int exitStatusOf(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_P(HidrawAccessTest, GrantsOnlyANodeWithACollectionBesidesKeyboardsAndMice) {
    FakeHidrawTree tree;
    tree.addInterface("hidraw0", 0xFFFF, 0xFFFC, GetParam().descriptor);
    const auto descriptorFile = tree.sysfsRoot() / "hidraw0" / "device" / "report_descriptor";

    EXPECT_EQ(exitStatusOf(std::string(CDR_HIDRAW_ACCESS) + " '" + descriptorFile.string() + "'"),
              GetParam().exitStatus);
}

INSTANTIATE_TEST_SUITE_P(Descriptors, HidrawAccessTest,
                         ::testing::Values(AccessCase{"CommandInterface", kReaderDescriptor, 0},
                                           AccessCase{"KeyboardBesideCommandCollection", kCombinedDescriptor, 0},
                                           AccessCase{"KeyboardOnly", kKeyboardDescriptor, 1},
                                           AccessCase{"KeyboardByUsageMinimum", kKeyboardByUsageMinimumDescriptor, 1},
                                           AccessCase{"NoOutputReport", kInputOnlyDescriptor, 1},
                                           AccessCase{"Empty", {}, 1}, AccessCase{"CutShort", {0x06, 0x00}, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

// Neither a missing file nor one that fails to read (a folder) aborts the helper.
TEST(HidrawAccessFileTest, AnUnreadableFileIsNoGrant) {
    for (const char* file : {"/nonexistent/report_descriptor", "/"}) {
        EXPECT_EQ(exitStatusOf(std::string(CDR_HIDRAW_ACCESS) + " " + file + " 2>/dev/null"), 2) << file;
    }
}

}  // namespace
}  // namespace cdr::hid::test
