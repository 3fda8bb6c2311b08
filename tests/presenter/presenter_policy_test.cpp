// The rules both windows share, decided by the presenter: what the fake view shows after each user action.
#include <functional>
#include <string>
#include <vector>

#include "presenter/control_names.h"
#include "presenter/connect_caption.h"
#include "presenter/result_log.h"
#include "presenter/status_fit.h"
#include "presenter_fixture.h"

namespace cdr::test {
namespace {

struct PolicyCase {
    const char* name;
    std::function<void(MainPresenter&, FakeMainView&)> act;
    std::optional<ControlId> focus;
    // The options and boxes that show on, and the options that are tab stops, among the format and Enter options
    // and the sentinel box.
    std::vector<ControlId> on;
    std::vector<ControlId> tabStops;
};

void PrintTo(const PolicyCase& c, std::ostream* out) { *out << c.name; }

class PolicyTest : public PresenterTest, public ::testing::WithParamInterface<PolicyCase> {
protected:
    void SetUp() override {
        PresenterTest::SetUp();
        presenter_.SetControlsEnabled(true);
    }
};

TEST_P(PolicyTest, TheViewShowsWhatThePresenterDecides) {
    GetParam().act(presenter_, view_);
    EXPECT_TRUE(view_.focused == GetParam().focus);
    std::vector<ControlId> on;
    std::vector<ControlId> tabStops;
    for (const ControlId id : {ControlId("optFormat(0)"), ControlId("optFormat(1)"), ControlId("optCR(0)"),
                               ControlId("optCR(1)"), ControlId("optCR(2)"), ControlId("chkStart")}) {
        if (view_.shown.at(std::string(id.name())).check == kChecked) on.push_back(id);
        if (id.spec().kind == ControlKind::OptionButton && view_.shown.at(std::string(id.name())).tabStop) {
            tabStops.push_back(id);
        }
    }
    EXPECT_EQ(on, GetParam().on);
    EXPECT_EQ(tabStops, GetParam().tabStops);
}

const std::vector<ControlId> kFactoryOn{"optFormat(0)", "optCR(1)"};

INSTANTIATE_TEST_SUITE_P(Policies, PolicyTest,
                         ::testing::Values(PolicyCase{"OptionTurnedOnTurnsItsGroupOff",
                                                      [](MainPresenter& p, FakeMainView& v) {
                                                          v.userChecks("optCR(2)", kChecked);
                                                          p.checkChanged("optCR(2)", kChecked);
                                                      },
                                                      ControlId("cmdOnce"),
                                                      {"optFormat(0)", "optCR(2)"},
                                                      {"optFormat(0)", "optCR(2)"}},
                                           PolicyCase{"ArrowDownSelectsTheNextOptionRoundTheEnd",
                                                      [](MainPresenter& p, FakeMainView& v) {
                                                          v.focused = ControlId("optCR(1)");
                                                          p.arrowKey("optCR(1)", true);
                                                          p.arrowKey("optCR(2)", true);
                                                      },
                                                      ControlId("optCR(0)"),
                                                      {"optFormat(0)", "optCR(0)"},
                                                      {"optFormat(0)", "optCR(0)"}},
                                           PolicyCase{"ArrowUpSelectsThePreviousOptionRoundTheStart",
                                                      [](MainPresenter& p, FakeMainView& v) {
                                                          v.focused = ControlId("optFormat(0)");
                                                          p.arrowKey("optFormat(0)", false);
                                                      },
                                                      ControlId("optFormat(1)"),
                                                      {"optFormat(1)", "optCR(1)"},
                                                      {"optFormat(1)", "optCR(1)"}},
                                           PolicyCase{"ArrowsOnCheckBoxesAndButtonsDoNothing",
                                                      [](MainPresenter& p, FakeMainView& v) {
                                                          v.focused = ControlId("chkTrack(0)");
                                                          p.arrowKey("chkTrack(0)", true);
                                                          p.arrowKey("chkStart", false);
                                                          p.arrowKey("cmdDefault", true);
                                                      },
                                                      ControlId("chkTrack(0)"), kFactoryOn, kFactoryOn},
                                           PolicyCase{"FocusComesBackToWhereTheWindowWasLeft",
                                                      [](MainPresenter& p, FakeMainView& v) {
                                                          v.focused = ControlId("chkStart");
                                                          p.windowDeactivated();
                                                          v.focused.reset();
                                                          p.windowActivated();
                                                      },
                                                      ControlId("chkStart"), kFactoryOn, kFactoryOn},
                                           PolicyCase{"AnAssistiveTickRunsTheSentinelRule",
                                                      [](MainPresenter& p, FakeMainView& v) {
                                                          v.userChecks("chkStart", kChecked);
                                                          p.checkChanged("chkStart", kChecked);
                                                      },
                                                      ControlId("cmdOnce"),
                                                      {"optFormat(0)", "optCR(1)", "chkStart"},
                                                      kFactoryOn}),
                         [](const auto& info) { return std::string(info.param.name); });

// Typed, pasted or set by assistive technology: one character stays, and a character outside the BMP is refused
// whole with the sentinel message.
TEST_F(PresenterTest, ASentinelFieldKeepsOneWholeCharacter) {
    presenter_.SetControlsEnabled(true);
    userTypes("txtSS(0)", u"ab");
    EXPECT_EQ(view_.shown.at("txtSS(0)").text, u"a");
    userTypes("txtSS(1)", u"\U0001F600");
    EXPECT_EQ(view_.shown.at("txtSS(1)").text, u"");
    EXPECT_EQ(status(), u"Track Start Sentinel, Track2: character cannot be sent.");
    EXPECT_EQ(presenter_.currentSettings().startSentinel, (std::array<std::u16string, kTrackCount>{u"a", u"", u""}));
}

// A second press of Connect made while the first waits on the reader is dropped: the window ends connected.
TEST_F(PresenterTest, EventsWhileWaitingOnTheReaderAreIgnored) {
    hid::sim::VirtualDevice device = reader_.device("/dev/hidraw-reader");
    device.responder = [this, answer = device.responder](std::span<const std::uint8_t> report) {
        click("cmdOnce");
        return answer(report);
    };
    platform_.addDevice(std::move(device));
    click("cmdOnce");
    EXPECT_EQ(status(), u"Device Connected!");
    EXPECT_EQ(control("cmdOnce").text, u"Disconnect");
    EXPECT_FALSE(presenter_.busy());
}

TEST_F(PresenterTest, TheStatusLineFitsTheLabelAndKeepsTheWholeText) {
    view_.statusRoom = 24;
    view_.dialogAnswer = "/no-such-folder/a-rather-long-settings-name.cfg";
    click("cmdLoad");
    const std::u16string whole = u"Not loaded, file not found: a-rather-long-settings-name.cfg";
    EXPECT_EQ(status().substr(0, 11), whole.substr(0, 11));
    EXPECT_EQ(view_.statusShown.size(), 24u);
    EXPECT_EQ(view_.statusShown.back(), u'\u2026');
    // Another DPI or font: the label is fitted again.
    view_.statusRoom = 100;
    presenter_.metricsChanged();
    EXPECT_EQ(view_.statusShown, status());
}

struct FitCase {
    const char* name;
    std::u16string_view text;
    std::u16string_view fileName;
    int room;
    std::u16string_view shown;
};

void PrintTo(const FitCase& c, std::ostream* out) { *out << c.name; }

class StatusFitTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(StatusFitTest, NameElidedInTheMiddleThenTheEnd) {
    const auto units = [](std::u16string_view text) { return static_cast<int>(text.size()); };
    EXPECT_EQ(fitStatusText(GetParam().text, GetParam().fileName, GetParam().room, units), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatusFitTest,
    ::testing::Values(FitCase{"Fits", u"Saved %1", u"box.cfg", 20, u"Saved box.cfg"},
                      FitCase{"NameElidedInTheMiddle", u"Saved %1", u"abcdefgh.cfg", 13, u"Saved abc\u2026cfg"},
                      FitCase{"RestTooWide", u"Not saved, disk full: %1", u"a.cfg", 8, u"Not sav\u2026"},
                      FitCase{"NoFileName", u"Complete write config!", u"", 10, u"Complete \u2026"},
                      FitCase{"SurrogatePairKeptWhole", u"%1", u"\U0001F600\U0001F600\U0001F600", 5,
                              u"\U0001F600\u2026\U0001F600"}),
    [](const auto& info) { return std::string(info.param.name); });

// Exactly 300 lines stay; 301 keep the first and the last 200.
TEST(ResultLogTest, TrimsOnlyPastThreeHundredLines) {
    std::vector<std::u16string> lines(300);
    EXPECT_FALSE(trimResultLog(lines));
    EXPECT_EQ(lines.size(), 300u);
    lines.clear();
    for (int i = 0; i < 301; ++i) lines.push_back(std::u16string(1, static_cast<char16_t>(u'\x100' + i)));
    EXPECT_TRUE(trimResultLog(lines));
    ASSERT_EQ(lines.size(), 201u);
    EXPECT_EQ(lines[0], std::u16string(1, u'\x100'));
    EXPECT_EQ(lines[1], std::u16string(1, static_cast<char16_t>(u'\x100' + 101)));
}

TEST(ConnectCaptionTest, ConnectInAnyLetterCaseMeansNotConnected) {
    for (const std::u16string_view caption : {u"Connect", u"CONNECT", u"connect", u"cOnNeCt"}) {
        EXPECT_TRUE(readsConnect(caption));
    }
    for (const std::u16string_view caption : {u"Disconnect", u"", u"Connec", u"Connect "}) {
        EXPECT_FALSE(readsConnect(caption));
    }
}

TEST_F(PresenterTest, TheDiagnosticPanelLiesBesideTheResultListInsideTheWidenedWindow) {
    view_.captionWidths = {{"fraBytesReceived", 2000}, {"chkAutoincrement", 3000}};
    presenter_.showDiagnosticPanel();
    const TwipsRect list{9030, 120, 5445, 4560};
    for (const char* group : {"fraBytesReceived", "fraBytesToSend"}) {
        const TwipsRect placed = view_.shown.at(group).place;
        EXPECT_GT(placed.left, list.right()) << group;
        EXPECT_LE(placed.right(), view_.client.width) << group;
        EXPECT_LE(placed.bottom(), view_.client.height) << group;
    }
    // Each group holds its title and its widened contents.
    EXPECT_GE(view_.shown.at("fraBytesReceived").place.width, 2000);
    EXPECT_EQ(view_.shown.at("chkAutoincrement").place.width, 3000);
    EXPECT_GE(view_.shown.at("fraBytesToSend").place.width, 240 + 3000);
}

struct CaptionCase {
    const char* name;
    ControlId control;
    int needed;
    int width;
};

void PrintTo(const CaptionCase& c, std::ostream* out) { *out << c.name; }

class CaptionFitTest : public PresenterTest, public ::testing::WithParamInterface<CaptionCase> {};

// Fitted when the view's measures change, and back to the table's width when the caption fits again.
TEST_P(CaptionFitTest, ACaptionWiderThanItsControlTakesTheFreeRoomToItsRight) {
    const ControlId id = GetParam().control;
    view_.captionWidths[std::string(id.name())] = GetParam().needed;
    presenter_.metricsChanged();
    EXPECT_EQ(view_.shown.at(std::string(id.name())).place.width, GetParam().width);
    EXPECT_EQ(control(id).place.left, id.spec().left);
    EXPECT_EQ(control(id).place.height, id.spec().height);
    view_.captionWidths.clear();
    presenter_.metricsChanged();
    EXPECT_EQ(control(id).place, id.spec().rect());
}

INSTANTIATE_TEST_SUITE_P(Cases, CaptionFitTest,
                         ::testing::Values(CaptionCase{"Fits", "chkTrack(0)", 1000, 1185},
                                           CaptionCase{"WidensToItsCaption", "chkTrack(0)", 1500, 1500},
                                           CaptionCase{"UpToItsGroupsBorder", "chkTrack(0)", 5000, 1845 - 30 - 300},
                                           CaptionCase{"UpToTheFieldOnItsRow", "Label1(0)", 2000, 1230 - 510},
                                           CaptionCase{"EdgeCaptionUpToTheNextGroup", "chkStart", 9000,
                                                       4680 - 2040 - 150},
                                           CaptionCase{"GroupTitleUpToTheNextGroup", "Frame2", 9000, 2340 - 120},
                                           CaptionCase{"OptionUpToTheWindowsEdge", "optCR(1)", 9000, 6255 - 30 - 540},
                                           CaptionCase{"ButtonsKeepTheirWidth", "cmdDefault", 3000, 1605},
                                           CaptionCase{"TheStatusIsShortenedNotWidened", "txtMsg", 9000, 6165},
                                           CaptionCase{"HiddenPanelLeftAlone", "chkAutoincrement", 9000, 2412}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace cdr::test
