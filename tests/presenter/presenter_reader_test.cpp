#include <algorithm>
#include <string>

#include "presenter/control_table.h"
#include "protocol/reader_commands.h"
#include "protocol/reader_reply.h"
#include "settings/sentinel_field.h"
#include "support/sample_settings.h"
#include "presenter_fixture.h"

namespace cdr::test {
namespace {

std::vector<bool> enabledStates(const MainPresenter& presenter) {
    std::vector<bool> states;
    for (const ControlSpec& spec : mainWindowControls())
        states.push_back(presenter.control(ControlId::of(spec)).enabled);
    return states;
}

TEST_F(PresenterTest, ConnectThenDisconnectSendsOnlyTheHandshakeAndEndsAsAtStartUp) {
    const std::vector<bool> atStartUp = enabledStates(presenter_);
    connectVirtualReader();
    EXPECT_EQ(control("cmdOnce").text, u"Disconnect");
    EXPECT_TRUE(control("cmdRead").enabled);
    EXPECT_TRUE(control("frmSet").enabled);
    EXPECT_TRUE(control("tmrContinuousDataCollect").timerArmed);

    click("cmdOnce");
    EXPECT_EQ(status(), u"Disconnect!");
    EXPECT_EQ(control("cmdOnce").text, u"Connect");
    EXPECT_EQ(enabledStates(presenter_), atStartUp);
    EXPECT_EQ(reportsWritten(), 1u);
    EXPECT_TRUE(platform_.openHandles().empty());
}

TEST_F(PresenterTest, ConnectWithoutReaderLeavesTheControlsDisabled) {
    click("cmdOnce");
    EXPECT_EQ(status(), u"Disconnect!");
    EXPECT_EQ(control("cmdOnce").text, u"Connect");
    EXPECT_FALSE(control("cmdRead").enabled);
    EXPECT_FALSE(control("frmSet").enabled);
    EXPECT_EQ(reportsWritten(), 0u);
}

TEST_F(PresenterTest, RejectedHandshakeIsAConflictInWhichCommandsAreRefused) {
    attachScriptedReader();
    scriptedReplies_.push_back(replyWithStatus(hid::sim::VirtualReader::kReportLength, 0x70));

    click("cmdOnce");
    EXPECT_EQ(status(), u"Device Conflict!");
    EXPECT_EQ(control("cmdOnce").text, u"Connect");
    EXPECT_TRUE(control("cmdVersion").enabled);
    EXPECT_TRUE(control("chkTrack(0)").enabled);
    EXPECT_TRUE(platform_.openHandles().empty());

    presenter_.applySettings(mixedSettings());
    for (const ControlId button : {ControlId("cmdVersion"), ControlId("cmdRead"), ControlId("cmdWrite")}) {
        click(button);
        EXPECT_EQ(status(), u"The device is not connected.") << button.name();
    }
    EXPECT_EQ(presenter_.currentSettings(), mixedSettings());
    EXPECT_EQ(reportsWritten(), 1u);
}

TEST_F(PresenterTest, VersionShowsTheReadersVersionWithTheBusyCursorOnlyWhileWaiting) {
    connectVirtualReader();
    view_.busyChanges.clear();
    click("cmdVersion");
    EXPECT_EQ(status(), u"Ver.:1.05");
    EXPECT_EQ(view_.busyChanges, (std::vector<bool>{true, false}));
}

TEST_F(PresenterTest, ConnectShowsTheBusyCursorThroughoutAndCommandsWhileNotConnectedSendNothing) {
    attachVirtualReader();
    click("cmdOnce");
    EXPECT_EQ(view_.busyChanges, (std::vector<bool>{true, false}));
    click("cmdOnce");

    view_.busyChanges.clear();
    ReaderSettings settings = presenter_.currentSettings();
    settings.startSentinel[0] = std::u16string(1, u'\u4e2d');  // in no single-byte code page
    presenter_.applySettings(settings);
    click("cmdWrite");
    EXPECT_EQ(status(), kNotConnectedText);
    EXPECT_TRUE(view_.busyChanges.empty());
    Bytes reply{0xAA, 0xBB};
    EXPECT_FALSE(presenter_.SendReaderCommand(kVersionCommand, reply));
    EXPECT_EQ(reply, (Bytes{0xAA, 0xBB}));
    EXPECT_EQ(reportsWritten(), 1u);
}

// With the diagnostic panel each platform call adds its label and the system's text; past 300 lines a poll drops
// the 100 after the first line, and the newest line stays selected.
TEST_F(PresenterTest, DiagnosticPanelListsEveryPlatformCallAndStaysShort) {
    presenter_.showDiagnosticPanel();
    EXPECT_TRUE(control("lstResults").visible);
    EXPECT_TRUE(control("fraBytesToSend").visible);
    hid::sim::VirtualDevice refusing = reader_.device("/dev/hidraw-refusing");
    refusing.refusesOpen = true;
    platform_.addDevice(std::move(refusing));
    click("cmdOnce");
    const auto& lines = control("lstResults").items;
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), u"GetHidGuid");
    EXPECT_NE(
        std::ranges::find_if(lines, [](const std::u16string& line) { return line.ends_with(u": Permission denied"); }),
        lines.end());

    std::size_t before = lines.size();
    bool readerPresent = false;
    for (int poll = 0; poll < 200; ++poll) {
        presenter_.PollDevice(readerPresent);
        const std::size_t after = control("lstResults").items.size();
        if (after < before) {
            EXPECT_GT(after + 100, 300u);
            EXPECT_EQ(control("lstResults").items.front(), u"GetHidGuid");
            EXPECT_EQ(control("lstResults").selectedIndex, static_cast<int>(after) - 1);
            return;
        }
        ASSERT_LE(after, 300u);
        before = after;
    }
    ADD_FAILURE() << "the list was never trimmed";
}

TEST_F(PresenterTest, NoReplyInTimeShowsErrorAndTheWindowStillCountsAsConnected) {
    attachScriptedReader();
    scriptedReplies_.push_back(replyWithStatus(hid::sim::VirtualReader::kReportLength, kStatusAccepted));
    click("cmdOnce");
    ASSERT_EQ(status(), u"Device Connected!");

    click("cmdVersion");
    EXPECT_EQ(status(), u"ERROR");
    EXPECT_EQ(control("cmdOnce").text, u"Disconnect");
    EXPECT_TRUE(platform_.openHandles().empty());
}

struct WriteCase {
    const char* name;
    ReaderSettings settings;
    Bytes frame;
};

void PrintTo(const WriteCase& c, std::ostream* out) { *out << c.name; }

class SettingsWriteTest : public PresenterTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(SettingsWriteTest, SendsTheControlsAsOneFrameAndLeavesThemAsTheyWere) {
    const WriteCase& c = GetParam();
    connectVirtualReader();
    presenter_.applySettings(c.settings);

    click("cmdWrite");
    EXPECT_EQ(status(), u"Complete write config!");
    Bytes expected(hid::sim::VirtualReader::kReportLength, 0x00);
    expected[0] = hid::OUTPUT_REPORT_ID;
    std::ranges::copy(c.frame, expected.begin() + 1);
    EXPECT_EQ(lastReport(), expected);
    EXPECT_EQ(presenter_.currentSettings(), c.settings);
}

INSTANTIATE_TEST_SUITE_P(Settings, SettingsWriteTest,
                         ::testing::Values(WriteCase{"Factory",
                                                     factorySettings(),
                                                     {0x02, 0x00, 0x0F, 0x43, 0x43, 0x57, 0x31, 0x31, 0x31, 0x00, 0x00,
                                                      0x00, 0x00, 0x00, 0x00, 0x31, 0x31, 0x03, 0x6A}},
                                           WriteCase{"Mixed",
                                                     mixedSettings(),
                                                     {0x02, 0x00, 0x0F, 0x43, 0x43, 0x57, 0x31, 0x31, 0x30, 0x25, 0x3B,
                                                      0x00, 0x3F, 0x3F, 0x00, 0x32, 0x32, 0x03, 0x75}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PresenterTest, FactoryResetLeavesTheReaderWhichReadsBackWhatWasWritten) {
    connectVirtualReader();
    ReaderSettings written = mixedSettings();
    written.trackEnabled[2] = kGrayed;
    presenter_.applySettings(written);
    click("cmdWrite");
    ASSERT_EQ(status(), u"Complete write config!");

    click("cmdDefault");
    ASSERT_EQ(presenter_.currentSettings(), factorySettings());
    click("cmdRead");
    EXPECT_EQ(status(), u"Complete read config!");
    EXPECT_EQ(presenter_.currentSettings(), written);
    EXPECT_TRUE(control("txtSS(0)").enabled);
}

TEST_F(PresenterTest, ReadReplyThatStandsForNoControlStatesChangesNone) {
    attachScriptedReader();
    scriptedReplies_.push_back(replyWithStatus(hid::sim::VirtualReader::kReportLength, kStatusAccepted));
    click("cmdOnce");
    presenter_.applySettings(mixedSettings());
    Bytes reply = replyWithStatus(hid::sim::VirtualReader::kReportLength, kStatusAccepted);
    reply[kReplySettingsBlockIndex] = 0x35;  // track 1: no check state
    scriptedReplies_.push_back(reply);

    click("cmdRead");
    EXPECT_EQ(status(), u"The reader's reply was not understood.");
    EXPECT_EQ(presenter_.currentSettings(), mixedSettings());
}

TEST_F(PresenterTest, SentinelWithoutASingleByteCodeRefusesTheWholeWrite) {
    connectVirtualReader();
    ReaderSettings settings = mixedSettings();
    settings.startSentinel[1] = std::u16string(1, u'\u4e2d');  // in no single-byte code page
    presenter_.applySettings(settings);

    click("cmdWrite");
    EXPECT_TRUE(status().starts_with(fieldCaption({SentinelKind::Start, 1})));
    EXPECT_EQ(reportsWritten(), 1u);
}

struct StepCase {
    const char* name;
    bool readerAttached;
    CheckState autoincrement;
    int byte0Before;
    int byte1Before;
    int byte0After;
    int byte1After;
};

void PrintTo(const StepCase& c, std::ostream* out) { *out << c.name; }

class ByteListStepTest : public PresenterTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(ByteListStepTest, PollStepsBothListsOnlyWhenAReaderIsPresentAndAutoincrementIsTicked) {
    const StepCase& c = GetParam();
    if (c.readerAttached) {
        attachVirtualReader();
    }
    userChecks("chkAutoincrement", c.autoincrement);
    userSelects("cboByte0", c.byte0Before);
    userSelects("cboByte1", c.byte1Before);

    bool readerPresent = !c.readerAttached;
    presenter_.PollDevice(readerPresent);
    EXPECT_EQ(readerPresent, c.readerAttached);
    EXPECT_EQ(control("cboByte0").selectedIndex, c.byte0After);
    EXPECT_EQ(control("cboByte1").selectedIndex, c.byte1After);
    EXPECT_EQ(control("lstResults").selectedIndex, -1);
}

INSTANTIATE_TEST_SUITE_P(Polls, ByteListStepTest,
                         ::testing::Values(StepCase{"FirstPollAfterStartUp", true, kChecked, 1, 0, 2, 1},
                                           StepCase{"FFWrapsTo00", true, kChecked, 0xFF, 0x7F, 0x00, 0x80},
                                           StepCase{"NoSelectionBecomes00", true, kChecked, -1, 5, 0, 6},
                                           StepCase{"AutoincrementOff", true, kUnchecked, 1, 0, 1, 0},
                                           StepCase{"NoReader", false, kChecked, 1, 0, 1, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PresenterTest, PollWithTheReaderOpenNeitherSearchesNorTalksToIt) {
    connectVirtualReader();
    const int searches = platform_.classDevsCalls();
    const std::size_t written = reportsWritten();

    bool readerPresent = false;
    presenter_.PollDevice(readerPresent);
    EXPECT_TRUE(readerPresent);
    EXPECT_EQ(platform_.classDevsCalls(), searches);
    EXPECT_EQ(reportsWritten(), written);
}

TEST_F(PresenterTest, ContinuousTogglesCaptionAndTimerAndPollsOnceWhenStarting) {
    connectVirtualReader();
    presenter_.SetControlsEnabled(false);  // the timer now follows the button alone
    const int before = control("cboByte0").selectedIndex;

    click("cmdContinuous");
    EXPECT_EQ(control("cmdContinuous").text, u"Cancel Continuous");
    EXPECT_TRUE(control("tmrContinuousDataCollect").timerArmed);
    EXPECT_EQ(control("cboByte0").selectedIndex, before + 1);
    presenter_.timerElapsed("tmrContinuousDataCollect");
    EXPECT_EQ(control("cboByte0").selectedIndex, before + 1);

    click("cmdContinuous");
    EXPECT_EQ(control("cmdContinuous").text, u"Continuous");
    EXPECT_FALSE(control("tmrContinuousDataCollect").timerArmed);
    EXPECT_EQ(control("tmrContinuousDataCollect").timerIntervalMs, 1000);
}

}  // namespace
}  // namespace cdr::test
