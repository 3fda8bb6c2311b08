#include "protocol/settings_block.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "protocol/command_frame.h"
#include "protocol/reader_commands.h"
#include "protocol/reader_reply.h"

namespace cdr {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Tracks 1 and 2 on, track 3 off; start sentinels %, ; and none; end sentinels ?, ? and none; Enter after the card
// data; AAMVA.
ReaderSettings mixedSettings() {
    ReaderSettings settings;
    settings.trackEnabled = {kChecked, kChecked, kUnchecked};
    settings.startSentinelEnabled = kChecked;
    settings.startSentinel = {u"%", u";", u""};
    settings.endSentinelEnabled = kChecked;
    settings.endSentinel = {u"?", u"?", u""};
    settings.enterOption = {false, false, true};
    settings.formatOption = {false, true};
    return settings;
}
const SettingsBlock kMixedBlock{0x31, 0x31, 0x30, 0x25, 0x3B, 0x00, 0x3F, 0x3F, 0x00, 0x32, 0x32};

SettingsBlock encoded(const ReaderSettings& settings) {
    const auto result = encodeSettingsBlock(settings);
    EXPECT_TRUE(std::holds_alternative<SettingsBlock>(result));
    return std::holds_alternative<SettingsBlock>(result) ? std::get<SettingsBlock>(result) : SettingsBlock{};
}

Bytes replyWith(const SettingsBlock& block, std::size_t size = 64) {
    Bytes reply(size, 0x00);
    reply[kReplyStatusIndex] = kStatusAccepted;
    for (std::size_t index = 0; index < block.size() && kReplySettingsBlockIndex + index < size; ++index) {
        reply[kReplySettingsBlockIndex + index] = block[index];
    }
    return reply;
}

TEST(SettingsBlockEncodeTest, FactorySettingsPayload) {
    const Bytes expected{0x43, 0x43, 0x57, 0x31, 0x31, 0x31, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x31, 0x31};
    EXPECT_EQ(writeSettingsPayload(encoded(factorySettings())), expected);
}

TEST(SettingsBlockEncodeTest, MixedSettingsPayloadAndFrame) {
    ASSERT_EQ(encoded(mixedSettings()), kMixedBlock);
    const auto frame = buildFrameBuffer(writeSettingsPayload(kMixedBlock), 20);
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ((*frame)[18], 0x75);
}

TEST(SettingsBlockEncodeTest, SentinelsGoOutOnlyWhenTheirBoxIsExactlyTicked) {
    for (const CheckState state : {kUnchecked, kGrayed}) {
        ReaderSettings settings = mixedSettings();
        settings.startSentinelEnabled = state;
        const SettingsBlock block = encoded(settings);
        EXPECT_EQ(block[kBlockStartSentinels], 0x00) << state;
        EXPECT_EQ(block[kBlockStartSentinels + 1], 0x00) << state;
        EXPECT_EQ(block[kBlockEndSentinels], 0x3F) << state;
    }
}

TEST(SettingsBlockEncodeTest, BlankFieldSendsZero) {
    ReaderSettings settings = mixedSettings();
    settings.startSentinel[0] = u" ";
    EXPECT_EQ(encoded(settings)[kBlockStartSentinels], 0x00);
}

TEST(SettingsBlockEncodeTest, GroupsWithNoOptionOn) {
    ReaderSettings settings = mixedSettings();
    settings.enterOption = {false, false, false};
    settings.formatOption = {false, false};
    const SettingsBlock block = encoded(settings);
    EXPECT_EQ(block[kBlockEnter], 0x00);
    EXPECT_EQ(block[kBlockFormat], kFormatIsoByte);
}

TEST(SettingsBlockEncodeTest, GrayedTrackGoesOutAsTwoAndComesBackAsTwo) {
    ReaderSettings settings = mixedSettings();
    settings.trackEnabled[1] = kGrayed;
    const SettingsBlock block = encoded(settings);
    EXPECT_EQ(block[kBlockTracks + 1], 0x32);
    const auto decoded = decodeSettingsReply(replyWith(block));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->trackEnabled[1], kGrayed);
}

TEST(SettingsBlockEncodeTest, CharacterWithoutSingleByteRefusesTheWholeBlockNamingItsField) {
    ReaderSettings settings = mixedSettings();
    settings.endSentinel[1] = u"\u4E2D";
    const auto result = encodeSettingsBlock(settings);
    const auto* refused = std::get_if<RefusedSentinel>(&result);
    ASSERT_NE(refused, nullptr);
    EXPECT_EQ(refused->field, (SentinelField{SentinelKind::End, 1}));
    EXPECT_NE(refused->message.find(u"Track End Sentinel, Track2"), std::u16string::npos);

    settings.endSentinelEnabled = kUnchecked;  // not sent, so nothing to refuse
    EXPECT_TRUE(std::holds_alternative<SettingsBlock>(encodeSettingsBlock(settings)));
}

TEST(SettingsBlockDecodeTest, ReadVectorGivesTheMixedSettings) {
    EXPECT_EQ(decodeSettingsReply(replyWith(kMixedBlock)), mixedSettings());
}

TEST(SettingsBlockDecodeTest, ZeroSentinelBytesClearBothBoxesAndAllTexts) {
    SettingsBlock block = kMixedBlock;
    std::fill(block.begin() + kBlockStartSentinels, block.begin() + kBlockEnter, 0x00);
    const auto decoded = decodeSettingsReply(replyWith(block));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->startSentinelEnabled, kUnchecked);
    EXPECT_EQ(decoded->endSentinelEnabled, kUnchecked);
    const std::array<std::u16string, kTrackCount> empty{};
    EXPECT_EQ(decoded->startSentinel, empty);
    EXPECT_EQ(decoded->endSentinel, empty);
}

TEST(SettingsBlockDecodeTest, OneNonZeroByteTicksTheBox) {
    SettingsBlock block = kMixedBlock;
    block[kBlockStartSentinels] = 0x00;
    block[kBlockStartSentinels + 1] = 0x00;
    block[kBlockStartSentinels + 2] = 0xE9;
    const auto decoded = decodeSettingsReply(replyWith(block));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->startSentinelEnabled, kChecked);
    EXPECT_EQ(decoded->startSentinel[2], u"\u00E9");
}

TEST(SettingsBlockDecodeTest, OnlyFormatByte31MeansIso) {
    const std::pair<std::uint8_t, std::array<bool, kFormatOptionCount>> cases[] = {
        {0x31, {true, false}}, {0x32, {false, true}}, {0x30, {false, true}}, {0x00, {false, true}}};
    for (const auto& [byte, options] : cases) {
        SettingsBlock block = kMixedBlock;
        block[kBlockFormat] = byte;
        const auto decoded = decodeSettingsReply(replyWith(block));
        ASSERT_TRUE(decoded.has_value()) << int{byte};
        EXPECT_EQ(decoded->formatOption, options) << int{byte};
    }
}

TEST(SettingsBlockDecodeTest, RepliesThatCannotStandForTheControlsAreRejected) {
    struct Case {
        const char* what;
        std::size_t index;
        std::uint8_t value;
        std::size_t replySize;
    };
    const Case cases[] = {
        {"track 1 byte 0x35", kBlockTracks, 0x35, 64}, {"track 3 byte 0x2F", kBlockTracks + 2, 0x2F, 64},
        {"Enter byte 0x33", kBlockEnter, 0x33, 64},    {"Enter byte 0x00", kBlockEnter, 0x00, 64},
        {"17-byte reply", kBlockTracks, 0x31, 17},     {"status-only reply", kBlockTracks, 0x31, 5},
    };
    for (const auto& [what, index, value, replySize] : cases) {
        SettingsBlock block = kMixedBlock;
        block[index] = value;
        EXPECT_FALSE(decodeSettingsReply(replyWith(block, replySize)).has_value()) << what;
    }
    EXPECT_TRUE(decodeSettingsReply(replyWith(kMixedBlock, 18)).has_value());
}

TEST(SettingsBlockDecodeTest, ReaderReplyReportBuiltFromTheBlockDecodes) {
    Bytes payload{kStatusAccepted, 0x00, 0x00};
    payload.insert(payload.end(), kMixedBlock.begin(), kMixedBlock.end());
    const auto report = buildReplyReport(payload, 32, 0x00);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(decodeSettingsReply(*report), mixedSettings());
}

}  // namespace
}  // namespace cdr
