// Any bytes as the uevent text of a hidraw device's HID parent.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "hid/linux/hid_uevent.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)cdr::hid::parseHidUevent(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
