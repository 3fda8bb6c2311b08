#include "protocol/command_frame.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "protocol/bcc.h"

namespace cdr {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct WorkedFrame {
    const char* name;
    Bytes payload;
    Bytes frame;
};

void PrintTo(const WorkedFrame& worked, std::ostream* out) { *out << worked.name; }

class WorkedFrameTest : public ::testing::TestWithParam<WorkedFrame> {};

TEST_P(WorkedFrameTest, SmallestReportHoldsFrameThenOneUnsentZero) {
    const auto& [name, payload, frame] = GetParam();
    const auto buffer = buildFrameBuffer(payload, static_cast<std::int16_t>(frame.size() + 1));
    ASSERT_TRUE(buffer.has_value());
    Bytes expected = frame;
    expected.push_back(0x00);
    EXPECT_EQ(*buffer, expected);
}

TEST_P(WorkedFrameTest, ReadsBackToItsPayload) {
    const auto& [name, payload, frame] = GetParam();
    EXPECT_EQ(readCommandFrame(frame), payload);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, WorkedFrameTest,
    ::testing::Values(WorkedFrame{"Version", {0x43, 0x56, 0x30}, {0x02, 0x00, 0x04, 0x43, 0x56, 0x30, 0x03, 0x22}},
                      WorkedFrame{"ReadSettings", {0x43, 0x43, 0x52}, {0x02, 0x00, 0x04, 0x43, 0x43, 0x52, 0x03, 0x55}},
                      WorkedFrame{"WriteFactory",
                                  {0x43, 0x43, 0x57, 0x31, 0x31, 0x31, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x31, 0x31},
                                  {0x02, 0x00, 0x0F, 0x43, 0x43, 0x57, 0x31, 0x31, 0x31, 0x00, 0x00, 0x00, 0x00, 0x00,
                                   0x00, 0x31, 0x31, 0x03, 0x6A}},
                      WorkedFrame{"WriteMixed",
                                  {0x43, 0x43, 0x57, 0x31, 0x31, 0x30, 0x25, 0x3B, 0x00, 0x3F, 0x3F, 0x00, 0x32, 0x32},
                                  {0x02, 0x00, 0x0F, 0x43, 0x43, 0x57, 0x31, 0x31, 0x30, 0x25, 0x3B, 0x00, 0x3F, 0x3F,
                                   0x00, 0x32, 0x32, 0x03, 0x75}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandFrameTest, WriteFrameFillsEverySentPositionOfA20ByteReport) {
    const Bytes payload{0x43, 0x43, 0x57, 0x31, 0x31, 0x31, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x31, 0x31};
    const auto buffer = buildFrameBuffer(payload, 20);
    ASSERT_TRUE(buffer.has_value());
    ASSERT_EQ(buffer->size(), 20u);
    EXPECT_EQ((*buffer)[17], kEtx);
    EXPECT_EQ((*buffer)[18], 0x6A);  // the last position the report sends
    EXPECT_EQ((*buffer)[19], 0x00);
}

TEST(CommandFrameTest, LongReportKeepsBccAndZeroFillsTheRest) {
    const auto buffer = buildFrameBuffer(Bytes{0x43, 0x56, 0x30}, 64);
    ASSERT_TRUE(buffer.has_value());
    EXPECT_EQ((*buffer)[7], 0x22);
    EXPECT_TRUE(std::all_of(buffer->begin() + 8, buffer->end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(CommandFrameTest, RefusesPayloadsThatCannotGoOutWhole) {
    const Bytes shortPayload{0x43, 0x56, 0x30};
    const Bytes writePayload(14, 0x31);
    EXPECT_FALSE(buildFrameBuffer(shortPayload, 8).has_value());
    EXPECT_FALSE(buildFrameBuffer(writePayload, 19).has_value());
    EXPECT_FALSE(buildFrameBuffer(shortPayload, 0).has_value());
    EXPECT_FALSE(buildFrameBuffer(shortPayload, -1).has_value());
}

TEST(CommandFrameTest, ReadRejectsDamagedFrames) {
    const Bytes good{0x02, 0x00, 0x04, 0x43, 0x56, 0x30, 0x03, 0x22};
    const auto damaged = [&](std::size_t index, std::uint8_t value) {
        Bytes frame = good;
        frame[index] = value;
        return frame;
    };
    EXPECT_FALSE(readCommandFrame(damaged(0, 0x00)).has_value());  // STX
    EXPECT_FALSE(readCommandFrame(damaged(2, 0x05)).has_value());  // LEN past the end
    EXPECT_FALSE(readCommandFrame(damaged(2, 0x00)).has_value());  // LEN without room for ETX
    EXPECT_FALSE(readCommandFrame(damaged(6, 0x04)).has_value());  // ETX
    EXPECT_FALSE(readCommandFrame(damaged(7, 0x23)).has_value());  // BCC
    EXPECT_FALSE(readCommandFrame(Bytes(good.begin(), good.end() - 1)).has_value());
}

TEST(BccTest, XorsFromIndexOneUpToDatalenWithoutReadingPastTheEnd) {
    const Bytes data{0x02, 0x00, 0x04, 0x43};
    EXPECT_EQ(COM_BCCCalc(data, 0, kBccTypeXor), 0x00);
    EXPECT_EQ(COM_BCCCalc(data, -5, kBccTypeXor), 0x00);
    EXPECT_EQ(COM_BCCCalc(data, 3, kBccTypeXor), 0x47);
    EXPECT_EQ(COM_BCCCalc(data, 1000, kBccTypeXor), 0x47);
    EXPECT_EQ(COM_BCCCalc({}, 3, kBccTypeXor), 0x00);
}

}  // namespace
}  // namespace cdr
