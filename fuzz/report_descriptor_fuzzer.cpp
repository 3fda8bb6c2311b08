// Any bytes as the report descriptor of a hidraw device.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz_check.h"
#include "hid/linux/report_descriptor.h"

namespace {

using cdr::fuzz::require;

// Main item Input (Data, Array, Absolute) with one data byte.
constexpr std::uint8_t kInputItem[] = {0x81, 0x00};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> descriptor(data, size);
    const auto layout = cdr::hid::parseReportDescriptor(descriptor);
    if (!layout) return 0;
    require(layout->inputReportByteLength >= 0 && layout->outputReportByteLength >= 0, "lengths are not negative");

    // One more Input item only adds to a report: the input length cannot shrink and the output length stays.
    std::vector<std::uint8_t> longer(descriptor.begin(), descriptor.end());
    longer.insert(longer.end(), std::begin(kInputItem), std::end(kInputItem));
    const auto grown = cdr::hid::parseReportDescriptor(longer);
    require(grown.has_value(), "a complete item after complete items parses");
    require(grown->inputReportByteLength >= layout->inputReportByteLength, "an Input item never shrinks a report");
    require(grown->outputReportByteLength == layout->outputReportByteLength, "an Input item leaves output alone");
    return 0;
}
