#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace cdr::hid {

// The report lengths a HID report descriptor declares, counted as a HID capability record counts them: for input
// and for output, the longest report over all report IDs in bytes plus one report-ID byte, or 0 when the
// descriptor declares no report of that kind.
struct ReportLayout {
    std::int16_t inputReportByteLength = 0;
    std::int16_t outputReportByteLength = 0;
    // Whether reports are numbered: then every report starts with its ID on the wire.
    bool usesReportIds = false;
};

// Reads the short and long items of a report descriptor; nothing when an item runs past the end.
std::optional<ReportLayout> parseReportDescriptor(std::span<const std::uint8_t> descriptor);

}  // namespace cdr::hid
