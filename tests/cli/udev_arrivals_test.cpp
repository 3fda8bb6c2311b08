// Runs under umockdev-wrapper: the testbed stands in for sysfs, /dev and the uevents a udev monitor receives.
#include <gtest/gtest.h>
#include <umockdev.h>

#include <cstdlib>
#include <string_view>

#include "cli/udev_arrivals.h"

namespace cdr::cli {
namespace {

// Report descriptors in the testbed's hexadecimal: a boot keyboard, and a vendor collection with an output report.
constexpr const char* kKeyboardHex =
    "05010906A101050719E029E71500250175019508810295017508810195067508150025650507190029658100C0";
constexpr const char* kCommandHex = "0600FF0901A10185010902750895208102090395189102C0";

// A HID device with the given identity (and report descriptor) and its hidraw node, which the testbed backs with a
// terminal.
std::string hidrawDevice(const std::string& name, const std::string& identity, int minor,
                         const std::string& descriptorHex = kCommandHex) {
    const std::string node = "hidraw" + std::to_string(minor);
    return "P: /devices/" + name + "\nE: SUBSYSTEM=hid\nE: HID_ID=0003:" + identity +
           "\nH: report_descriptor=" + descriptorHex + "\n\nP: /devices/" + name + "/hidraw/" + node + "\nN: " + node +
           "\nE: SUBSYSTEM=hidraw\nE: DEVNAME=/dev/" + node + "\nA: dev=240:" + std::to_string(minor) + "\n\n";
}

TEST(UdevArrivals, ReportsTheNodeOfAnAddedReaderOnly) {
    const char* preload = std::getenv("LD_PRELOAD");
    ASSERT_TRUE(preload != nullptr && std::string_view(preload).find("umockdev") != std::string_view::npos)
        << "run under umockdev-wrapper";
    g_autoptr(UMockdevTestbed) testbed = umockdev_testbed_new();
    UdevArrivals arrivals;
    ASSERT_TRUE(arrivals.ready());
    const std::string devices = hidrawDevice("other", "00001234:00005678", 0) +
                                hidrawDevice("reader", "0000FFFF:0000FFFC", 1) +
                                "P: /devices/reader/input/event1\nN: input/event1\nE: SUBSYSTEM=input\n"
                                "E: DEVNAME=/dev/input/event1\nA: dev=13:65\n";
    GError* error = nullptr;
    ASSERT_TRUE(umockdev_testbed_add_from_string(testbed, devices.c_str(), &error)) << error->message;

    // Passed over: another identity, another subsystem with the reader's identity, and a node going away.
    umockdev_testbed_uevent(testbed, "/sys/devices/other/hidraw/hidraw0", "add");
    umockdev_testbed_uevent(testbed, "/sys/devices/reader/input/event1", "add");
    umockdev_testbed_uevent(testbed, "/sys/devices/reader/hidraw/hidraw1", "remove");
    umockdev_testbed_uevent(testbed, "/sys/devices/reader/hidraw/hidraw1", "add");
    EXPECT_EQ(arrivals.nextReader(), "/dev/hidraw1");
}

// A reader plugged in before the wait comes first; the reader's keyboard node is passed over when it is added.
TEST(UdevArrivals, ReportsReadersAlreadyPresentFirstAndNeverAKeyboardNode) {
    g_autoptr(UMockdevTestbed) testbed = umockdev_testbed_new();
    GError* error = nullptr;
    ASSERT_TRUE(umockdev_testbed_add_from_string(
        testbed,
        (hidrawDevice("present", "0000FFFF:0000FFFC", 0) + hidrawDevice("keys", "0000FFFF:0000FFFC", 1, kKeyboardHex))
            .c_str(),
        &error))
        << error->message;
    UdevArrivals arrivals;
    ASSERT_TRUE(arrivals.ready());

    EXPECT_EQ(arrivals.nextReader(), "/dev/hidraw0");
    ASSERT_TRUE(
        umockdev_testbed_add_from_string(testbed, hidrawDevice("later", "0000FFFF:0000FFFC", 2).c_str(), &error))
        << error->message;
    umockdev_testbed_uevent(testbed, "/sys/devices/keys/hidraw/hidraw1", "add");
    umockdev_testbed_uevent(testbed, "/sys/devices/later/hidraw/hidraw2", "add");
    EXPECT_EQ(arrivals.nextReader(), "/dev/hidraw2");
}

}  // namespace
}  // namespace cdr::cli
