#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hid/linux/report_descriptor.h"
#include "test_descriptors.h"

namespace cdr::hid {
namespace {

using test::kCombinedDescriptor;
using test::kKeyboardByUsageMinimumDescriptor;
using test::kKeyboardDescriptor;

struct DescriptorCase {
    const char* name;
    std::vector<std::uint8_t> descriptor;
    std::optional<ReportLayout> expected;
};

// Boot mouse: three buttons and padding, X and Y; input only, no IDs.
const std::vector<std::uint8_t> kMouse = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19,
                                          0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02,
                                          0x95, 0x01, 0x75, 0x05, 0x81, 0x01, 0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x15,
                                          0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x02, 0x81, 0x06, 0xC0, 0xC0};

// Wireless mouse with a consumer-control collection: report 2 has 16 buttons, 12-bit X and Y, wheel and
// horizontal wheel (7 bytes); report 3 two 16-bit usages (4 bytes).
const std::vector<std::uint8_t> kMouseWithReportIds = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x02, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19, 0x01, 0x29, 0x10, 0x15,
    0x00, 0x25, 0x01, 0x95, 0x10, 0x75, 0x01, 0x81, 0x02, 0x05, 0x01, 0x16, 0x01, 0xF8, 0x26, 0xFF, 0x07, 0x75, 0x0C,
    0x95, 0x02, 0x09, 0x30, 0x09, 0x31, 0x81, 0x06, 0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x01, 0x09, 0x38, 0x81,
    0x06, 0x05, 0x0C, 0x0A, 0x38, 0x02, 0x95, 0x01, 0x81, 0x06, 0xC0, 0xC0, 0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85,
    0x03, 0x75, 0x10, 0x95, 0x02, 0x15, 0x01, 0x26, 0xFF, 0x02, 0x19, 0x01, 0x2A, 0xFF, 0x02, 0x81, 0x00, 0xC0};

// Vendor-defined device: input reports 1 (63 bytes) and 2 (7 bytes), output report 1 (31 bytes), and a
// feature report that does not count.
const std::vector<std::uint8_t> kVendorDefined = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x01, 0x09, 0x02, 0x15, 0x00, 0x26, 0xFF, 0x00,
    0x75, 0x08, 0x95, 0x3F, 0x81, 0x02, 0x85, 0x02, 0x09, 0x03, 0x95, 0x07, 0x81, 0x02, 0x85, 0x01,
    0x09, 0x04, 0x95, 0x1F, 0x91, 0x02, 0x85, 0x03, 0x09, 0x05, 0x95, 0x7F, 0xB1, 0x02, 0xC0};

class ReportDescriptorTest : public ::testing::TestWithParam<DescriptorCase> {};

// Lengths are counted as the capability record counts them, over the reports outside keyboard, keypad and mouse
// collections; the layout fields are: input, output, numbered, only keyboards and mice, keyboard and mouse IDs,
// a command collection.
TEST_P(ReportDescriptorTest, SeesWhatTheLinkMayUse) {
    EXPECT_EQ(parseReportDescriptor(GetParam().descriptor), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Descriptors, ReportDescriptorTest,
    ::testing::Values(
        DescriptorCase{"Keyboard", kKeyboardDescriptor, ReportLayout{0, 0, false, true, {0}}},
        DescriptorCase{"Mouse", kMouse, ReportLayout{0, 0, false, true, {0}}},
        // Only the consumer-control report 3 counts.
        DescriptorCase{"MouseWithReportIds", kMouseWithReportIds, ReportLayout{5, 0, true, false, {2}}},
        DescriptorCase{"VendorDefinedWithReportIds", kVendorDefined, ReportLayout{64, 32, true, false, {}, true}},
        // The keyboard's 34-byte input report does not count.
        DescriptorCase{"KeyboardBesideCommandCollection", kCombinedDescriptor,
                       ReportLayout{33, 25, true, false, {2}, true}},
        DescriptorCase{"KeypadOnly",
                       {0x05, 0x01, 0x09, 0x07, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0},
                       ReportLayout{0, 0, false, true, {0}, false}},
        DescriptorCase{"KeyboardByUsageMinimum", kKeyboardByUsageMinimumDescriptor,
                       ReportLayout{0, 0, false, true, {0}, false}},
        // A four-byte Usage Page counts by its low 16 bits: Generic Desktop.
        DescriptorCase{"KeyboardUnderAWideUsagePage",
                       {0x07, 0x01, 0x00, 0xFF, 0x00, 0x09, 0x06, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0},
                       ReportLayout{0, 0, false, true, {0}, false}},
        // Input report 1 is the keyboard's and the command collection's: it is never dropped.
        DescriptorCase{"InputReportIdSharedWithAKeyboard",
                       {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0,
                        0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x01, 0x81, 0x02, 0x91, 0x02, 0xC0},
                       ReportLayout{2, 2, true, false, {}, true}},
        // A four-byte usage names its own page: Generic Desktop keyboard, without a Usage Page item.
        DescriptorCase{"KeyboardByExtendedUsage",
                       {0x0B, 0x06, 0x00, 0x01, 0x00, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0},
                       ReportLayout{0, 0, false, true, {0}}},
        // Keyboard usage on a vendor page is no keyboard.
        DescriptorCase{"VendorUsageSix",
                       {0x06, 0x00, 0xFF, 0x09, 0x06, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0},
                       ReportLayout{2, 0, false, false, {}}},
        // 11 bits take two bytes.
        DescriptorCase{
            "BitCountNotAMultipleOfEight", {0x75, 0x01, 0x95, 0x0B, 0x81, 0x02}, ReportLayout{3, 0, false, false, {}}},
        DescriptorCase{"Empty", {}, ReportLayout{0, 0, false, false, {}}},
        // Push keeps 8x4 across a change to 1x1; pop brings it back for the second input (4 + 1 + 4 bytes).
        DescriptorCase{"PushAndPop",
                       {0x75, 0x08, 0x95, 0x04, 0x81, 0x02, 0xA4, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0xB4, 0x81, 0x02},
                       ReportLayout{10, 0, false, false, {}}},
        // A long item is stepped over whole: its data bytes would otherwise read as a Report ID item.
        DescriptorCase{"LongItem",
                       {0xFE, 0x02, 0x10, 0x85, 0x07, 0x75, 0x08, 0x95, 0x02, 0x91, 0x02},
                       ReportLayout{0, 3, false, false, {}}},
        DescriptorCase{"TruncatedShortItem", {0x75, 0x08, 0x26, 0xFF}, std::nullopt},
        DescriptorCase{"TruncatedLongItem", {0xFE, 0x05, 0x10, 0x00}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cdr::hid
