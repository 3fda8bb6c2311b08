// Descriptors whose declared report sizes add up past what 64 bits count. Found by fuzzing: the totals used to
// wrap round, so that a descriptor declaring absurdly long reports gave a one-byte report length.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "hid/linux/report_descriptor.h"

namespace cdr::hid {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kReportSizeMax = {0x77, 0xFF, 0xFF, 0xFF, 0xFF};
const Bytes kReportCountMax = {0x97, 0xFF, 0xFF, 0xFF, 0xFF};
const Bytes kReportSizeOne = {0x75, 0x01};
const Bytes kReportCountOne = {0x95, 0x01};
constexpr std::uint8_t kInput = 0x80;
constexpr std::uint8_t kOutput = 0x90;
constexpr std::int16_t kLongest = std::numeric_limits<std::int16_t>::max();

// Main items of one kind declaring 2^64 - 2^33 + 1 bits, then 2 * (2^32 - 1) bits more (2^64 - 1 in all), then
// `extraBits` single bits.
Bytes hugeReports(std::uint8_t mainItem, int extraBits) {
    Bytes descriptor;
    const auto add = [&descriptor](const Bytes& item) {
        descriptor.insert(descriptor.end(), item.begin(), item.end());
    };
    add(kReportSizeMax);
    add(kReportCountMax);
    descriptor.push_back(mainItem);
    add(kReportSizeOne);
    descriptor.push_back(mainItem);
    descriptor.push_back(mainItem);
    add(kReportCountOne);
    descriptor.insert(descriptor.end(), static_cast<std::size_t>(extraBits), mainItem);
    return descriptor;
}

struct OverflowCase {
    const char* name;
    Bytes descriptor;
    std::int16_t input;
    std::int16_t output;
};

void PrintTo(const OverflowCase& overflowCase, std::ostream* out) { *out << overflowCase.name; }

class ReportDescriptorOverflowTest : public ::testing::TestWithParam<OverflowCase> {};

TEST_P(ReportDescriptorOverflowTest, LengthStopsAtTheLongestInsteadOfWrapping) {
    const auto layout = parseReportDescriptor(GetParam().descriptor);
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->inputReportByteLength, GetParam().input);
    EXPECT_EQ(layout->outputReportByteLength, GetParam().output);
}

INSTANTIATE_TEST_SUITE_P(Overflow, ReportDescriptorOverflowTest,
                         ::testing::Values(OverflowCase{"InputOneBitBelowTheLimit", hugeReports(kInput, 0), kLongest,
                                                        0},
                                           OverflowCase{"InputAtTheLimit", hugeReports(kInput, 1), kLongest, 0},
                                           OverflowCase{"InputFarPastTheLimit", hugeReports(kInput, 9), kLongest, 0},
                                           OverflowCase{"OutputAtTheLimit", hugeReports(kOutput, 1), 0, kLongest}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cdr::hid
