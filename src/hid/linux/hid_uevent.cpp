#include "hid/linux/hid_uevent.h"

#include <charconv>
#include <cstdint>

namespace cdr::hid {

namespace {

constexpr std::string_view kIdentityKey = "HID_ID=";

// One hexadecimal field of HID_ID, ending at the separator or at the end of the value.
std::optional<std::uint32_t> takeHexField(std::string_view& rest, bool last) {
    std::uint32_t value = 0;
    const char* end = rest.data() + rest.size();
    const auto [stop, error] = std::from_chars(rest.data(), end, value, 16);
    if (error != std::errc{} || stop == rest.data()) {
        return std::nullopt;
    }
    rest.remove_prefix(static_cast<std::size_t>(stop - rest.data()));
    if (last) {
        return rest.empty() ? std::optional(value) : std::nullopt;
    }
    if (rest.empty() || rest.front() != ':') {
        return std::nullopt;
    }
    rest.remove_prefix(1);
    return value;
}

}  // namespace

std::optional<DeviceAttributes> parseHidUevent(std::string_view uevent) {
    while (!uevent.empty()) {
        const std::size_t lineEnd = uevent.find('\n');
        std::string_view line = uevent.substr(0, lineEnd);
        uevent.remove_prefix(lineEnd == std::string_view::npos ? uevent.size() : lineEnd + 1);
        if (!line.starts_with(kIdentityKey)) {
            continue;
        }
        line.remove_prefix(kIdentityKey.size());
        const auto bus = takeHexField(line, false);
        const auto vendor = bus ? takeHexField(line, false) : std::nullopt;
        const auto product = vendor ? takeHexField(line, true) : std::nullopt;
        if (!product) {
            return std::nullopt;
        }
        DeviceAttributes attributes;
        attributes.vendorId = static_cast<std::uint16_t>(*vendor & 0xFFFF);
        attributes.productId = static_cast<std::uint16_t>(*product & 0xFFFF);
        return attributes;
    }
    return std::nullopt;
}

}  // namespace cdr::hid
