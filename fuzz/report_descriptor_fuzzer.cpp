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

// Whether the descriptor declares a top-level collection that is no keyboard, keypad or mouse and holds an Output
// item of some size: what the udev helper must see before it grants a node. Read item by item here, on its own,
// so that the parser is checked against it. The collection's usage is the kernel's: the first Usage or Usage
// Minimum, its page the upper half of a four-byte one, else the low half of the Usage Page in force.
bool declaresCommandCollection(std::span<const std::uint8_t> bytes) {
    struct Globals {
        std::uint32_t page = 0, size = 0, count = 0;
    };
    Globals globals;
    std::vector<Globals> stack;
    std::uint32_t usage = 0;
    std::size_t usageBytes = 0;
    bool usageGiven = false;
    int depth = 0;
    bool topIsSystems = false;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::uint8_t prefix = bytes[at++];
        if (prefix == 0xFE) {
            if (at + 2 > bytes.size()) return false;
            at += 2 + bytes[at];
            continue;
        }
        const std::size_t length = (prefix & 3) == 3 ? 4 : prefix & 3;
        if (at + length > bytes.size()) return false;
        std::uint32_t data = 0;
        for (std::size_t i = 0; i < length; ++i) data |= std::uint32_t{bytes[at + i]} << (8 * i);
        at += length;
        switch (prefix & 0xFC) {
        case 0x90:  // Output
            if (depth > 0 && !topIsSystems && std::uint64_t{globals.size} * globals.count > 0) return true;
            break;
        case 0xA0:  // Collection
            if (depth++ == 0) {
                const std::uint32_t page = usageBytes == 4 ? usage >> 16 : globals.page & 0xFFFF;
                const std::uint32_t id = usage & 0xFFFF;
                topIsSystems = usageGiven && page == 1 && (id == 2 || id == 6 || id == 7);
            }
            break;
        case 0xC0:  // End Collection
            depth = depth > 0 ? depth - 1 : 0;
            break;
        case 0x08:  // Usage
        case 0x18:  // Usage Minimum
            if (!usageGiven) {
                usage = data;
                usageBytes = length;
                usageGiven = true;
            }
            continue;  // a local item: the usage lasts until the next main item
        case 0x04:
            globals.page = data;
            continue;
        case 0x74:
            globals.size = data;
            continue;
        case 0x94:
            globals.count = data;
            continue;
        case 0xA4:
            stack.push_back(globals);
            continue;
        case 0xB4:
            if (!stack.empty()) {
                globals = stack.back();
                stack.pop_back();
            }
            continue;
        default:
            if ((prefix & 0x0C) != 0) continue;  // other global and local items
            break;
        }
        usageGiven = false;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> descriptor(data, size);
    const auto layout = cdr::hid::parseReportDescriptor(descriptor);
    if (!layout) return 0;
    require(layout->inputReportByteLength >= 0 && layout->outputReportByteLength >= 0, "lengths are not negative");
    require(!layout->hasCommandCollection || declaresCommandCollection(descriptor),
            "a node is granted only for a command collection");

    // One more Input item only adds to a report: the input length cannot shrink and the output length stays.
    std::vector<std::uint8_t> longer(descriptor.begin(), descriptor.end());
    longer.insert(longer.end(), std::begin(kInputItem), std::end(kInputItem));
    const auto grown = cdr::hid::parseReportDescriptor(longer);
    require(grown.has_value(), "a complete item after complete items parses");
    require(grown->inputReportByteLength >= layout->inputReportByteLength, "an Input item never shrinks a report");
    require(grown->outputReportByteLength == layout->outputReportByteLength, "an Input item leaves output alone");
    return 0;
}
