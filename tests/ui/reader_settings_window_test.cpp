#include <algorithm>
#include <string>

#include "protocol/reader_reply.h"
#include "settings/sentinel_field.h"
#include "support/sample_settings.h"
#include "reader_window_fixture.h"
#include "window_fixture.h"

namespace cdr::test {
namespace {

// A read-settings reply of `length` bytes, accepted, with the 11-byte block at index 7.
Bytes settingsReply(const Bytes& block, std::size_t length = 64) {
    Bytes reply = replyWithStatus(length, kStatusAccepted);
    std::copy_n(block.begin(), std::min(block.size(), length - kReplySettingsBlockIndex),
                reply.begin() + kReplySettingsBlockIndex);
    return reply;
}

struct ReadCase {
    const char* name;
    ReaderSettings before;
    Bytes block;
    ReaderSettings expected;
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }

class SettingsReadTest : public ReaderWindowTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(SettingsReadTest, PutsTheBlockIntoTheControls) {
    const ReadCase& c = GetParam();
    connectScriptedReader();
    window_.applySettings(c.before);
    scriptedReplies_.push_back(settingsReply(c.block));

    click("cmdRead");
    EXPECT_EQ(status(), QStringLiteral("Complete read config!"));
    EXPECT_EQ(window_.currentSettings(), c.expected);
    EXPECT_EQ(find("txtSS(0)")->isEnabled(), isOn(c.expected.startSentinelEnabled));
    EXPECT_EQ(find("txtES(0)")->isEnabled(), isOn(c.expected.endSentinelEnabled));
}

ReaderSettings factoryWithFormat(bool iso) {
    ReaderSettings settings;
    settings.formatOption = {iso, !iso};
    return settings;
}

INSTANTIATE_TEST_SUITE_P(Replies, SettingsReadTest,
                         ::testing::Values(ReadCase{"MixedTicksBothSentinelBoxes",
                                                    factorySettings(),
                                                    {0x31, 0x31, 0x30, 0x25, 0x3B, 0x00, 0x3F, 0x3F, 0x00, 0x32, 0x32},
                                                    mixedSettings()},
                                           ReadCase{"ZeroSentinelsClearBoxesAndFields",
                                                    mixedSettings(),
                                                    {0x31, 0x31, 0x31, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x31, 0x31},
                                                    factorySettings()},
                                           ReadCase{"FormatByte0x30IsAamva",
                                                    mixedSettings(),
                                                    {0x31, 0x31, 0x31, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x31, 0x30},
                                                    factoryWithFormat(false)},
                                           ReadCase{"FormatByte0x00IsAamva",
                                                    mixedSettings(),
                                                    {0x31, 0x31, 0x31, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x31, 0x00},
                                                    factoryWithFormat(false)}),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadReadCase {
    const char* name;
    std::int16_t inputLength;
    Bytes reply;
    const char* status;
};

void PrintTo(const BadReadCase& c, std::ostream* out) { *out << c.name; }

class BadSettingsReplyTest : public ReaderWindowTest, public ::testing::WithParamInterface<BadReadCase> {};

TEST_P(BadSettingsReplyTest, ChangesNoControl) {
    const BadReadCase& c = GetParam();
    connectScriptedReader(c.inputLength);
    window_.applySettings(mixedSettings());
    scriptedReplies_.push_back(c.reply);

    click("cmdRead");
    EXPECT_EQ(status(), QString::fromUtf8(c.status));
    EXPECT_EQ(window_.currentSettings(), mixedSettings());
}

const Bytes kFactoryBlock{0x31, 0x31, 0x31, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x31, 0x31};

Bytes withByte(Bytes bytes, std::size_t index, std::uint8_t value) {
    bytes[index] = value;
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Replies, BadSettingsReplyTest,
    ::testing::Values(BadReadCase{"TrackByte0x35", 64, settingsReply(withByte(kFactoryBlock, 1, 0x35)),
                                  "The reader's reply was not understood."},
                      BadReadCase{"EnterByte0x35", 64, settingsReply(withByte(kFactoryBlock, 9, 0x35)),
                                  "The reader's reply was not understood."},
                      BadReadCase{"ReplyEndsBeforeTheFormatByte", 17, settingsReply(kFactoryBlock, 17),
                                  "The reader's reply was not understood."},
                      BadReadCase{"StatusNotP", 64, withByte(settingsReply(kFactoryBlock), kReplyStatusIndex, 0x70),
                                  "ERROR"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReaderWindowTest, ReadAndWriteWhileNotConnectedChangeNothing) {
    attachScriptedReader(64, 64);
    scriptedReplies_.push_back(replyWithStatus(64, 0x70));
    click("cmdOnce");
    ASSERT_EQ(status(), QStringLiteral("Device Conflict!"));  // controls usable, window not connected
    window_.applySettings(mixedSettings());

    for (const char* button : {"cmdRead", "cmdWrite"}) {
        click(QString::fromUtf8(button));
        EXPECT_EQ(status(), QStringLiteral("The device is not connected.")) << button;
        EXPECT_EQ(window_.currentSettings(), mixedSettings()) << button;
    }
    EXPECT_EQ(reportsWritten(), 1u);
}

// The euro sign in the second start field: it has no single-byte code.
ReaderSettings withUnencodableSentinel() {
    ReaderSettings settings = mixedSettings();
    settings.startSentinel[1] =
        std::u16string(1, u'\u20AC');  // not via operator=(const char16_t*): GCC 12 warns falsely at -O2
    return settings;
}

TEST_F(ReaderWindowTest, WriteWhileNotConnectedSaysSoBeforeLookingAtTheSentinels) {
    window_.SetControlsEnabled(true);
    window_.applySettings(withUnencodableSentinel());
    click("cmdWrite");
    EXPECT_EQ(status(), QStringLiteral("The device is not connected."));
}

TEST_F(ReaderWindowTest, VirtualReaderKeepsWrittenSettingsAcrossFactoryReset) {
    attachVirtualReader();
    click("cmdOnce");
    ReaderSettings written = mixedSettings();
    written.trackEnabled[2] = kGrayed;
    window_.applySettings(written);
    click("cmdWrite");
    ASSERT_EQ(status(), QStringLiteral("Complete write config!"));

    click("cmdDefault");
    ASSERT_EQ(window_.currentSettings(), factorySettings());
    click("cmdRead");
    EXPECT_EQ(status(), QStringLiteral("Complete read config!"));
    EXPECT_EQ(window_.currentSettings(), written);
}

}  // namespace
}  // namespace cdr::test
