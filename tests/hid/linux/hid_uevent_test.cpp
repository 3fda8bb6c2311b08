#include <gtest/gtest.h>

#include <string>

#include "hid/linux/hid_uevent.h"

namespace cdr::hid {
namespace {

struct UeventCase {
    const char* name;
    const char* text;
    std::optional<DeviceAttributes> expected;
};

class HidUeventTest : public ::testing::TestWithParam<UeventCase> {};

TEST_P(HidUeventTest, TakesVendorAndProductFromHidId) {
    const auto identity = parseHidUevent(GetParam().text);
    const auto& expected = GetParam().expected;
    ASSERT_EQ(identity.has_value(), expected.has_value());
    if (expected) {
        EXPECT_EQ(identity->vendorId, expected->vendorId);
        EXPECT_EQ(identity->productId, expected->productId);
        EXPECT_EQ(identity->versionNumber, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Uevents, HidUeventTest,
    ::testing::Values(UeventCase{"Reader",
                                 "DRIVER=hid-generic\nHID_ID=0003:0000FFFF:0000FFFC\nHID_NAME=Card Reader\n"
                                 "MODALIAS=hid:b0003g0001v0000FFFFp0000FFFC\n",
                                 DeviceAttributes{0xFFFF, 0xFFFC, 0}},
                      UeventCase{"LowerCaseAndNoFinalLineBreak", "HID_ID=0005:0000abcd:00001234",
                                 DeviceAttributes{0xABCD, 0x1234, 0}},
                      UeventCase{"MissingLine", "DRIVER=hid-generic\nHID_NAME=x\n", std::nullopt},
                      UeventCase{"ModaliasIsNotTheIdentity", "MODALIAS=hid:b0003g0001v0000FFFFp0000FFFC\n",
                                 std::nullopt},
                      UeventCase{"TwoFields", "HID_ID=0003:0000FFFF\n", std::nullopt},
                      UeventCase{"TrailingGarbage", "HID_ID=0003:0000FFFF:0000FFFCx\n", std::nullopt},
                      UeventCase{"NotHexadecimal", "HID_ID=0003:ZZZZ:0000FFFC\n", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cdr::hid
