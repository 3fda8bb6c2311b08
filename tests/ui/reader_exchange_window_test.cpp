#include <array>
#include <string>

#include "protocol/command_frame.h"
#include "protocol/reader_commands.h"
#include "reader/reader_exchange.h"
#include "protocol/reader_reply.h"
#include "reader_window_fixture.h"

namespace cdr::test {
namespace {

QString qText(std::u16string_view text) { return QString::fromStdU16String(std::u16string(text)); }

TEST_F(ReaderWindowTest, HandshakeGoesOutAsOneReportOfTheReadersOutputLength) {
    attachScriptedReader(9, 9);
    scriptedReplies_.push_back(replyWithStatus(9, kStatusAccepted));
    click("cmdOnce");
    EXPECT_EQ(lastReport(), (Bytes{0x01, 0x02, 0x00, 0x04, 0x43, 0x56, 0x30, 0x03, 0x22}));
}

struct StatusCase {
    const char* name;
    std::int16_t inputLength;
    std::optional<Bytes> reply;  // nothing: the reader does not answer
    bool accepted;
    const char* status;
};

void PrintTo(const StatusCase& c, std::ostream* out) { *out << c.name; }

class ReplyStatusTest : public ReaderWindowTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(ReplyStatusTest, OnlyStatusByteP0x50IsAccepted) {
    const StatusCase& c = GetParam();
    connectScriptedReader(c.inputLength);
    scriptedReplies_.push_back(c.reply);

    Bytes reply;
    EXPECT_EQ(window_.SendReaderCommand(kReadSettingsCommand, reply), c.accepted);
    EXPECT_EQ(status(), QString::fromUtf8(c.status));
    EXPECT_EQ(reply.size(), static_cast<std::size_t>(c.inputLength));
}

INSTANTIATE_TEST_SUITE_P(Replies, ReplyStatusTest,
                         ::testing::Values(StatusCase{"PAndAllElseZero", 64, replyWithStatus(64, 0x50), true, ""},
                                           StatusCase{"LowerCaseP", 64, replyWithStatus(64, 0x70), false, "ERROR"},
                                           StatusCase{"NoAnswer", 64, std::nullopt, false, "ERROR"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReaderWindowTest, InputReportTooShortToHoldAStatusIsNeverAccepted) {
    attachScriptedReader(4, 64);
    scriptedReplies_.push_back(Bytes{0x01, 0x02, 0x00, kStatusAccepted});
    click("cmdOnce");
    EXPECT_EQ(status(), QStringLiteral("Device Conflict!"));
}

struct FitCase {
    std::int16_t outputLength;
    bool fits;
};

void PrintTo(const FitCase& c, std::ostream* out) { *out << c.outputLength; }

class WriteFrameFitTest : public ReaderWindowTest, public ::testing::WithParamInterface<FitCase> {};

TEST_P(WriteFrameFitTest, FourteenBytePayloadNeedsAReportOf20) {
    const auto [outputLength, fits] = GetParam();
    connectScriptedReader(64, outputLength);
    scriptedReplies_.push_back(replyWithStatus(64, kStatusAccepted));
    const std::size_t before = reportsWritten();

    Bytes reply{0xAA};
    const Bytes payload = writeSettingsPayload(SettingsBlock{});
    EXPECT_EQ(window_.SendReaderCommand(payload, reply), fits);
    if (fits) {
        ASSERT_EQ(reportsWritten(), before + 1);
        const Bytes report = lastReport();
        ASSERT_EQ(report.size(), 20u);
        EXPECT_EQ(report[18], kEtx);  // the check byte is then the report's last byte
        EXPECT_EQ(readCommandFrame(std::span(report).subspan(1)), payload);
    } else {
        EXPECT_EQ(status(), qText(kCommandTooLongText));
        EXPECT_EQ(reportsWritten(), before);
        EXPECT_EQ(reply, Bytes{0xAA});
    }
}

INSTANTIATE_TEST_SUITE_P(OutputLengths, WriteFrameFitTest, ::testing::Values(FitCase{19, false}, FitCase{20, true}),
                         [](const auto& info) { return "Length" + std::to_string(info.param.outputLength); });

}  // namespace
}  // namespace cdr::test
