#pragma once

#include <filesystem>
#include <optional>

#include "hid/hid_platform.h"

namespace cdr::hid {

// What the sysfs folder of a HID device (the parent of its hidraw node) tells without the node being opened: the
// identity in its uevent and, from its report descriptor, whether it holds only keyboards, keypads and mice.
// Nothing when the identity cannot be read; a descriptor that cannot be read counts as holding something else.
std::optional<UnopenedDevice> describeSysfsHidDevice(const std::filesystem::path& hidDeviceFolder);

}  // namespace cdr::hid
