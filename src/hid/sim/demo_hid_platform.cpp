#include "hid/sim/demo_hid_platform.h"

#include <cstdint>
#include <string>
#include <utility>

namespace cdr::hid::sim {

namespace {

VirtualDevice otherHidDevice(std::string path, std::uint16_t vendorId, std::uint16_t productId) {
    VirtualDevice device;
    device.identity = DeviceAttributes{vendorId, productId, 0x0100};
    device.path = std::move(path);
    device.capabilities = Capabilities{9, 2};
    return device;
}

}  // namespace

DemoHidPlatform::DemoHidPlatform() {
    platform_.addDevice(otherHidDevice("/dev/hidraw0", 0x1A2C, 0x0E24));  // keyboard
    platform_.addDevice(otherHidDevice("/dev/hidraw1", 0x1A2C, 0x0E25));  // mouse
    platform_.addDevice(reader_.device("/dev/hidraw2"));
}

}  // namespace cdr::hid::sim
