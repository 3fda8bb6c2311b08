#pragma once

#include <memory>

#include "hid/hid_platform.h"

namespace cdr::hid {

// The operating system's HID platform: hidraw on Linux, the HID and device-setup services on Windows.
std::unique_ptr<HidPlatform> makeSystemHidPlatform();

}  // namespace cdr::hid
