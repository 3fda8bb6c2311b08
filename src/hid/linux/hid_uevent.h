#pragma once

#include <optional>
#include <string_view>

#include "hid/hid_platform.h"

namespace cdr::hid {

// The identity in a HID device's uevent text, from its line HID_ID=bus:vendor:product (hexadecimal fields), as
// the raw-device information reports it. The version number is not part of it and stays 0. Nothing when the
// line is missing or malformed.
std::optional<DeviceAttributes> parseHidUevent(std::string_view uevent);

}  // namespace cdr::hid
