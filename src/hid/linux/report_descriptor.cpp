#include "hid/linux/report_descriptor.h"

#include <algorithm>
#include <limits>
#include <map>
#include <vector>

namespace cdr::hid {

namespace {

constexpr std::uint8_t kLongItemPrefix = 0xFE;

enum class ItemType : std::uint8_t { Main = 0, Global = 1, Local = 2, Reserved = 3 };

// Tags of the items that shape the report lengths.
constexpr std::uint8_t kInputTag = 0x8;
constexpr std::uint8_t kOutputTag = 0x9;
constexpr std::uint8_t kReportSizeTag = 0x7;
constexpr std::uint8_t kReportIdTag = 0x8;
constexpr std::uint8_t kReportCountTag = 0x9;
constexpr std::uint8_t kPushTag = 0xA;
constexpr std::uint8_t kPopTag = 0xB;

struct GlobalState {
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint32_t reportId = 0;
};

// Bits per report ID of one report kind.
using ReportBits = std::map<std::uint32_t, std::uint64_t>;

std::int16_t byteLength(const ReportBits& reports) {
    if (reports.empty()) {
        return 0;
    }
    const auto longest = std::max_element(reports.begin(), reports.end(),
                                          [](const auto& a, const auto& b) { return a.second < b.second; });
    const std::uint64_t bytes = longest->second / 8 + (longest->second % 8 != 0) + 1;
    return static_cast<std::int16_t>(std::min<std::uint64_t>(bytes, std::numeric_limits<std::int16_t>::max()));
}

// Adds a main item's bits to its report. Sizes and counts are 32-bit, so a descriptor can declare more bits than
// 64 bits count: the total stops at the largest value instead of wrapping round to a short report.
void addBits(ReportBits& reports, std::uint32_t reportId, std::uint64_t bits) {
    std::uint64_t& total = reports[reportId];
    total = bits > std::numeric_limits<std::uint64_t>::max() - total ? std::numeric_limits<std::uint64_t>::max()
                                                                     : total + bits;
}

}  // namespace

std::optional<ReportLayout> parseReportDescriptor(std::span<const std::uint8_t> descriptor) {
    GlobalState globals;
    std::vector<GlobalState> pushed;
    ReportBits inputBits;
    ReportBits outputBits;
    bool usesReportIds = false;

    std::size_t position = 0;
    while (position < descriptor.size()) {
        const std::uint8_t prefix = descriptor[position++];
        if (prefix == kLongItemPrefix) {
            // Data size, long tag, then the data; no long items are defined that matter here.
            if (position + 2 > descriptor.size()) {
                return std::nullopt;
            }
            position += 2 + descriptor[position];
            if (position > descriptor.size()) {
                return std::nullopt;
            }
            continue;
        }
        const std::size_t dataSize = (prefix & 0x3) == 3 ? 4 : (prefix & 0x3);
        if (position + dataSize > descriptor.size()) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < dataSize; ++i) {
            value |= static_cast<std::uint32_t>(descriptor[position + i]) << (8 * i);
        }
        position += dataSize;

        const auto type = static_cast<ItemType>((prefix >> 2) & 0x3);
        const std::uint8_t tag = prefix >> 4;
        const std::uint64_t bits = std::uint64_t{globals.reportSize} * globals.reportCount;
        if (type == ItemType::Main && tag == kInputTag) {
            addBits(inputBits, globals.reportId, bits);
        } else if (type == ItemType::Main && tag == kOutputTag) {
            addBits(outputBits, globals.reportId, bits);
        } else if (type == ItemType::Global) {
            switch (tag) {
            case kReportSizeTag:
                globals.reportSize = value;
                break;
            case kReportIdTag:
                globals.reportId = value;
                usesReportIds = true;
                break;
            case kReportCountTag:
                globals.reportCount = value;
                break;
            case kPushTag:
                pushed.push_back(globals);
                break;
            case kPopTag:
                if (!pushed.empty()) {
                    globals = pushed.back();
                    pushed.pop_back();
                }
                break;
            default:
                break;
            }
        }
    }
    return ReportLayout{byteLength(inputBits), byteLength(outputBits), usesReportIds};
}

}  // namespace cdr::hid
