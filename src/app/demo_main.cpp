// The configuration utility over simulated HID devices: a keyboard, a mouse and a virtual reader behind them, so
// that every button works without hardware.
#include <string>

#include "app/window_startup.h"
#include "hid/sim/sim_hid_platform.h"
#include "hid/sim/virtual_reader.h"

namespace {

cdr::hid::sim::VirtualDevice otherHidDevice(std::string path, std::uint16_t vendorId, std::uint16_t productId) {
    cdr::hid::sim::VirtualDevice device;
    device.identity = cdr::hid::DeviceAttributes{vendorId, productId, 0x0100};
    device.path = std::move(path);
    device.capabilities = cdr::hid::Capabilities{9, 2};
    return device;
}

}  // namespace

int main(int argc, char* argv[]) {
    cdr::hid::sim::SimHidPlatform platform;
    cdr::hid::sim::VirtualReader reader;
    platform.addDevice(otherHidDevice("/dev/hidraw0", 0x1A2C, 0x0E24));  // keyboard
    platform.addDevice(otherHidDevice("/dev/hidraw1", 0x1A2C, 0x0E25));  // mouse
    platform.addDevice(reader.device("/dev/hidraw2"));
    return cdr::runMainWindow(argc, argv, platform);
}
