// The HID link and the window's handlers over the real hidraw platform, run inside the guest by scenarios.sh with
// the reader plugged in (not by ctest: the build machine has no reader). Each run is compared with the same run
// over the simulated platform and the virtual reader, which the gadget answers with, so that the real kernel and
// the stand-in the unit tests use are held to one behaviour. CDR_READER_NODE names the node the reader's command
// interface has, CDR_KEYBOARD_NODES (space-separated) the keyboard-only nodes of the reader's identity.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "../hid/recording_observer.h"
#include "../presenter/fake_main_view.h"
#include "hid/hid_link.h"
#include "hid/sim/sim_hid_platform.h"
#include "hid/sim/virtual_reader.h"
#include "hid/system_platform.h"
#include "presenter/main_presenter.h"

namespace cdr::test {
namespace {

// The gadget's command collection: input report ID 1 and 32 bytes, output report ID 1 and 24 bytes.
constexpr std::int16_t kInputLength = 33;
constexpr std::int16_t kOutputLength = 25;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : value;
}

std::string readerNode() { return environment("CDR_READER_NODE"); }

int nodeNumber(const std::string& path) { return std::stoi(path.substr(path.find_last_not_of("0123456789") + 1)); }

// The guest's nodes as simulated devices, in the order hidraw lists them: the reader, and the keyboard-only
// nodes, which the hidraw platform refuses to open.
void addGuestNodes(hid::sim::SimHidPlatform& simulated, hid::sim::VirtualReader& reader) {
    std::vector<hid::sim::VirtualDevice> devices;
    hid::sim::VirtualDevice command = reader.device(readerNode());
    command.capabilities = {kInputLength, kOutputLength};
    devices.push_back(command);
    std::istringstream keyboards(environment("CDR_KEYBOARD_NODES"));
    for (std::string path; keyboards >> path;) {
        hid::sim::VirtualDevice keyboard = reader.device(path);
        keyboard.refusesOpen = true;
        keyboard.onlyKeyboardsAndMice = true;
        devices.push_back(keyboard);
    }
    std::ranges::sort(devices, {}, [](const auto& device) { return nodeNumber(device.path); });
    for (auto& device : devices) simulated.addDevice(std::move(device));
    // As sysfs does on Linux, the platform tells a node's identity and kind before it is opened.
    simulated.describeDevicesUnopened();
}

struct Discovery {
    bool found = false;
    std::vector<std::string> calls;
    std::string path;
};

Discovery discover(hid::HidPlatform& platform) {
    hid::test::RecordingObserver observer;
    hid::HidLink link(platform, observer);
    Discovery discovery;
    discovery.found = link.FindTheHid();
    discovery.path = link.devicePath();
    EXPECT_EQ(link.inputReportLength(), discovery.found ? kInputLength : 0);
    EXPECT_EQ(link.outputReportLength(), discovery.found ? kOutputLength : 0);
    discovery.calls = observer.calls;
    return discovery;
}

TEST(KernelLink, FindTheHidTakesTheCommandInterfaceWithItsLengths) {
    ASSERT_FALSE(readerNode().empty()) << "CDR_READER_NODE is not set";
    const auto system = hid::makeSystemHidPlatform();
    const Discovery real = discover(*system);
    EXPECT_TRUE(real.found);
    EXPECT_EQ(real.path, readerNode());
}

TEST(KernelLink, FindTheHidMakesTheCallsOfTheSimulatedPlatform) {
    const auto system = hid::makeSystemHidPlatform();
    const Discovery real = discover(*system);

    hid::sim::SimHidPlatform simulated;
    hid::sim::VirtualReader reader;
    addGuestNodes(simulated, reader);
    hid::test::RecordingObserver observer;
    hid::HidLink link(simulated, observer);
    ASSERT_TRUE(link.FindTheHid());
    EXPECT_EQ(real.calls, observer.calls);
}

// Connect, Version, Read, Write (one track turned off), Read after the factory settings were put on screen,
// Disconnect: the status text after each, and the third track's check box after the last read.
std::vector<std::u16string> pressHandlers(hid::HidPlatform& platform) {
    FakeMainView view;
    MainPresenter presenter(view, platform);
    presenter.Form_Load();
    std::vector<std::u16string> statuses;
    const auto press = [&](ControlId button) {
        presenter.clicked(button);
        statuses.push_back(presenter.control("txtMsg").text);
    };
    press("cmdOnce");
    press("cmdVersion");
    press("cmdRead");
    view.userChecks("chkTrack(2)", kUnchecked);
    presenter.checkChanged("chkTrack(2)", kUnchecked);
    press("cmdWrite");
    press("cmdDefault");
    press("cmdRead");
    statuses.push_back(presenter.control("chkTrack(2)").check == kUnchecked ? u"track 3 off" : u"track 3 on");
    press("cmdDefault");
    press("cmdWrite");
    press("cmdOnce");
    statuses.push_back(presenter.control("cmdOnce").text);
    return statuses;
}

TEST(KernelLink, WindowHandlersAgreeWithTheSimulatedReader) {
    const auto system = hid::makeSystemHidPlatform();
    const std::vector<std::u16string> real = pressHandlers(*system);
    ASSERT_GE(real.size(), 4U);
    EXPECT_EQ(real[0], u"Device Connected!");
    EXPECT_EQ(real[2], u"Complete read config!");
    EXPECT_EQ(real[3], u"Complete write config!");

    hid::sim::SimHidPlatform simulated;
    hid::sim::VirtualReader reader;
    simulated.addDevice(reader.device(readerNode()));
    EXPECT_EQ(real, pressHandlers(simulated));
}

}  // namespace
}  // namespace cdr::test
