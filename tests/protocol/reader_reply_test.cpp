#include "protocol/reader_reply.h"

#include <gtest/gtest.h>

#include "protocol/command_frame.h"
#include "support/reader_replies.h"

namespace cdr {
namespace {

using test::Bytes;
using test::replyWithStatus;

TEST(ReaderReplyTest, OnlyAnExactPStatusIsAccepted) {
    EXPECT_TRUE(isReplyAccepted(replyWithStatus(64, 0x50)));
    EXPECT_TRUE(isReplyAccepted(replyWithStatus(5, 0x50)));
    EXPECT_FALSE(isReplyAccepted(replyWithStatus(64, 0x70)));  // lower-case p
    EXPECT_FALSE(isReplyAccepted(Bytes(64, 0x00)));            // no reply in time
    EXPECT_FALSE(isReplyAccepted(Bytes{0x00, 0x02, 0x00, 0x50}));
    EXPECT_FALSE(isReplyAccepted(Bytes{}));
}

TEST(ReaderReplyTest, VersionTextTakesReplyBytes11To14) {
    Bytes reply = replyWithStatus(64, kStatusAccepted);
    reply[10] = 0x41;
    reply[11] = 0x32;
    reply[12] = 0x2E;
    reply[13] = 0x31;
    reply[14] = 0x30;
    reply[15] = 0x42;
    EXPECT_EQ(versionText(versionBytes(reply).value()), u"Ver.:2.10");
}

TEST(ReaderReplyTest, VersionTextNeedsAllFourBytes) {
    EXPECT_EQ(versionText(versionBytes(Bytes(15, 0x31)).value()), u"Ver.:1111");
    EXPECT_FALSE(versionBytes(Bytes(14, 0x31)).has_value());
}

TEST(ReaderReplyTest, ReplyReportPutsThePayloadBehindReportIdAndFrameHeader) {
    const Bytes payload{kStatusAccepted, 0x11, 0x22};
    const auto report = buildReplyReport(payload, 16, 0x07);
    ASSERT_TRUE(report.has_value());
    ASSERT_EQ(report->size(), 16u);
    EXPECT_EQ((*report)[0], 0x07);
    EXPECT_EQ((*report)[1], kStx);
    EXPECT_EQ((*report)[kReplyPayloadIndex], kStatusAccepted);
    EXPECT_TRUE(isReplyAccepted(*report));
    EXPECT_EQ(readCommandFrame(std::span(*report).subspan(1)), payload);
}

TEST(ReaderReplyTest, ReplyReportRefusesAPayloadThatDoesNotFit) {
    EXPECT_TRUE(buildReplyReport(Bytes(3, 0x50), 9, 0).has_value());
    EXPECT_FALSE(buildReplyReport(Bytes(4, 0x50), 9, 0).has_value());
}

}  // namespace
}  // namespace cdr
