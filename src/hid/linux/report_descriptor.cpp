#include "hid/linux/report_descriptor.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <map>
#include <vector>

#include "hid/linux/sysfs_file.h"

namespace cdr::hid {

namespace {

constexpr std::uint8_t kLongItemPrefix = 0xFE;

enum class ItemType : std::uint8_t { Main = 0, Global = 1, Local = 2, Reserved = 3 };

// Tags of the items that shape the reports and the collections.
constexpr std::uint8_t kInputTag = 0x8;
constexpr std::uint8_t kOutputTag = 0x9;
constexpr std::uint8_t kCollectionTag = 0xA;
constexpr std::uint8_t kEndCollectionTag = 0xC;
constexpr std::uint8_t kUsagePageTag = 0x0;
constexpr std::uint8_t kReportSizeTag = 0x7;
constexpr std::uint8_t kReportIdTag = 0x8;
constexpr std::uint8_t kReportCountTag = 0x9;
constexpr std::uint8_t kPushTag = 0xA;
constexpr std::uint8_t kPopTag = 0xB;
constexpr std::uint8_t kUsageTag = 0x0;
constexpr std::uint8_t kUsageMinimumTag = 0x1;

constexpr std::uint32_t kGenericDesktopPage = 0x01;
constexpr std::uint32_t kMouseUsage = 0x02;
constexpr std::uint32_t kKeyboardUsage = 0x06;
constexpr std::uint32_t kKeypadUsage = 0x07;

struct GlobalState {
    std::uint32_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint32_t reportId = 0;
};

// The first Usage or Usage Minimum item since the last main item, as the collection that follows takes it.
// (A plain record with a flag rather than an optional: GCC 12 at -O3 takes the optional's payload for unset.)
struct LocalUsage {
    bool given = false;
    std::uint32_t value = 0;
    std::size_t dataSize = 0;
};

bool isKeyboardOrMouse(const GlobalState& globals, const LocalUsage& usage) {
    // A four-byte usage carries its own page in the upper half; a shorter one takes the Usage Page's low 16 bits.
    const std::uint32_t page = usage.dataSize == 4 ? usage.value >> 16 : globals.usagePage & 0xFFFF;
    const std::uint32_t id = usage.value & 0xFFFF;
    return page == kGenericDesktopPage && (id == kMouseUsage || id == kKeyboardUsage || id == kKeypadUsage);
}

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

// The collections seen so far and where the reports went.
struct Collections {
    std::size_t depth = 0;
    std::size_t topLevelCount = 0;
    std::size_t keyboardAndMouseCount = 0;
    // Whether the top-level collection being read is a keyboard, keypad or mouse.
    bool insideKeyboardOrMouse = false;
    // Some top-level collection other than a keyboard, keypad or mouse has an output report.
    bool commandCollection = false;
    ReportBits usableInputBits;
    ReportBits usableOutputBits;
    std::set<std::uint32_t> keyboardAndMouseInputIds;
    std::set<std::uint32_t> usableInputIds;

    void open(bool keyboardOrMouse) {
        if (depth++ == 0) {
            ++topLevelCount;
            keyboardAndMouseCount += keyboardOrMouse;
            insideKeyboardOrMouse = keyboardOrMouse;
        }
    }
    void close() {
        if (depth > 0 && --depth == 0) {
            insideKeyboardOrMouse = false;
        }
    }
    void addInput(std::uint32_t reportId, std::uint64_t bits) {
        if (insideKeyboardOrMouse) {
            keyboardAndMouseInputIds.insert(reportId);
        } else {
            usableInputIds.insert(reportId);
            addBits(usableInputBits, reportId, bits);
        }
    }
    void addOutput(std::uint32_t reportId, std::uint64_t bits) {
        if (!insideKeyboardOrMouse) {
            addBits(usableOutputBits, reportId, bits);
            commandCollection = commandCollection || (depth > 0 && bits > 0);
        }
    }
    // Input report IDs used by keyboards and mice alone; an ID some other collection also uses stays usable.
    std::set<std::uint32_t> droppedInputIds() const {
        std::set<std::uint32_t> dropped;
        std::set_difference(keyboardAndMouseInputIds.begin(), keyboardAndMouseInputIds.end(), usableInputIds.begin(),
                            usableInputIds.end(), std::inserter(dropped, dropped.end()));
        return dropped;
    }
};

}  // namespace

std::optional<ReportLayout> parseReportDescriptor(std::span<const std::uint8_t> descriptor) {
    GlobalState globals;
    std::vector<GlobalState> pushed;
    LocalUsage usage;
    Collections collections;
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
        if (type == ItemType::Main) {
            if (tag == kInputTag) {
                collections.addInput(globals.reportId, bits);
            } else if (tag == kOutputTag) {
                collections.addOutput(globals.reportId, bits);
            } else if (tag == kCollectionTag) {
                collections.open(usage.given && isKeyboardOrMouse(globals, usage));
            } else if (tag == kEndCollectionTag) {
                collections.close();
            }
            // Local items last until the next main item.
            usage = {};
        } else if (type == ItemType::Local && (tag == kUsageTag || tag == kUsageMinimumTag) && !usage.given) {
            usage = LocalUsage{true, value, dataSize};
        } else if (type == ItemType::Global) {
            switch (tag) {
            case kUsagePageTag:
                globals.usagePage = value;
                break;
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
    return ReportLayout{byteLength(collections.usableInputBits),
                        byteLength(collections.usableOutputBits),
                        usesReportIds,
                        collections.topLevelCount > 0 && collections.keyboardAndMouseCount == collections.topLevelCount,
                        collections.droppedInputIds(),
                        collections.commandCollection};
}

std::optional<ReportLayout> readReportDescriptor(const std::filesystem::path& file) {
    const auto descriptor = readSysfsFile(file);
    if (!descriptor) {
        return std::nullopt;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(descriptor->data());
    return parseReportDescriptor(std::span(bytes, descriptor->size()));
}

}  // namespace cdr::hid
