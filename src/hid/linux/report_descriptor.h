#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <span>

namespace cdr::hid {

// What the link may use of a hidraw node, read from its report descriptor. A node is a whole USB interface and
// carries every top-level collection of it; keyboards, keypads and mice (Generic Desktop usages 0x06, 0x07 and
// 0x02) belong to the system, as they do where each collection is a device of its own, so their reports are left
// out: the lengths count the other reports only. A collection's usage is taken as the kernel takes it: the first
// Usage or Usage Minimum before it, whose page is its upper half when given in four bytes, else the low 16 bits
// of the Usage Page in force.
struct ReportLayout {
    // For input and for output, the longest report over all report IDs outside keyboard, keypad and mouse
    // collections, in bytes plus one report-ID byte, counted as a HID capability record counts them; 0 when there
    // is no such report of that kind.
    std::int16_t inputReportByteLength = 0;
    std::int16_t outputReportByteLength = 0;
    // Whether reports are numbered: then every report starts with its ID on the wire.
    bool usesReportIds = false;
    // The descriptor declares top-level collections and every one is a keyboard, keypad or mouse.
    bool onlyKeyboardsAndMice = false;
    // IDs of the input reports that belong to a keyboard, keypad or mouse collection (0 for unnumbered ones).
    std::set<std::uint32_t> keyboardAndMouseInputReportIds;
    // A top-level collection other than a keyboard, keypad or mouse declares an output report of its own, as a
    // command collection must.
    bool hasCommandCollection = false;

    bool operator==(const ReportLayout&) const = default;
};

// Reads the short and long items of a report descriptor; nothing when an item runs past the end.
std::optional<ReportLayout> parseReportDescriptor(std::span<const std::uint8_t> descriptor);
// Reads and parses a descriptor file, such as a HID device's report_descriptor in sysfs; nothing when the file
// cannot be read or the descriptor is cut short.
std::optional<ReportLayout> readReportDescriptor(const std::filesystem::path& file);

}  // namespace cdr::hid
