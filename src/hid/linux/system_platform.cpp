#include "hid/system_platform.h"

#include "hid/linux/hidraw_platform.h"

namespace cdr::hid {

std::unique_ptr<HidPlatform> makeSystemHidPlatform() { return std::make_unique<HidrawPlatform>(); }

}  // namespace cdr::hid
