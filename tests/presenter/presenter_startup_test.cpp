#include <algorithm>
#include <set>
#include <string>

#include "presenter/control_names.h"
#include "presenter/control_table.h"
#include "presenter_fixture.h"

namespace cdr::test {
namespace {

const std::set<std::string_view> kAlwaysEnabled{"fraSendAndReceive", "cmdOnce"};
const std::set<std::string_view> kHidden{"cmdContinuous", "lstResults", "fraBytesReceived", "fraBytesToSend"};

// The controls that have an enabled state: all but the timer and the file dialog component.
std::vector<ControlId> enableableControls() {
    std::vector<ControlId> controls;
    for (const ControlSpec& spec : mainWindowControls()) {
        if (spec.kind != ControlKind::Timer && spec.kind != ControlKind::FileDialog) {
            controls.push_back(ControlId::of(spec));
        }
    }
    return controls;
}

// The panel is what the window builds only when needed: hidden window-level controls and what they hold, never a
// hidden control inside the settings area.
TEST(ControlTable, DiagnosticPanelIsTheHiddenWindowLevelControlsAndTheirContents) {
    const std::set<std::string_view> panel{"lstResults", "fraBytesReceived", "txtBytesReceived", "fraBytesToSend",
                                           "cboByte0",   "cboByte1",         "chkAutoincrement"};
    for (const ControlSpec& spec : mainWindowControls()) {
        EXPECT_EQ(inDiagnosticPanel(ControlId::of(spec)), panel.contains(spec.name)) << spec.name;
    }
}

TEST(PresenterAsConstructed, HoldsTheLoadedControlsWithTheFactorySettingsAndShowsNothingYet) {
    hid::sim::SimHidPlatform platform;
    FakeMainView view;
    const MainPresenter presenter(view, platform);

    EXPECT_EQ(presenter.currentSettings(), factorySettings());
    for (const ControlSpec& spec : mainWindowControls()) {
        EXPECT_TRUE(presenter.control(ControlId::of(spec)).enabled) << spec.name;
        EXPECT_EQ(presenter.control(ControlId::of(spec)).visible, !kHidden.contains(spec.name)) << spec.name;
        EXPECT_TRUE(view.shown.at(spec.name) == presenter.control(ControlId::of(spec))) << spec.name;
    }
    EXPECT_EQ(presenter.control("cmdOnce").text, u"Connect");
    EXPECT_EQ(std::ranges::count(view.calls, std::string("showWindow")), 0);
}

TEST_F(PresenterTest, StartUpShowsTheWindowFirstAndLeavesOnlyConnectUsable) {
    const auto shown = std::ranges::find(view_.calls, std::string("showWindow"));
    ASSERT_NE(shown, view_.calls.end());
    EXPECT_EQ(std::ranges::count(view_.calls, std::string("showWindow")), 1);
    EXPECT_EQ(*(shown + 1), "setItems cboByte0");  // before the controls are initialised
    for (const ControlId id : enableableControls()) {
        EXPECT_EQ(control(id).enabled, kAlwaysEnabled.contains(id.name())) << id.name();
    }
    EXPECT_EQ(control("cmdOnce").text, u"Connect");
    EXPECT_EQ(status(), u"");
    EXPECT_EQ(presenter_.currentSettings(), factorySettings());
}

TEST_F(PresenterTest, StartUpFillsTheByteListsAndDisarmsTheTimerAtOneSecond) {
    for (const ControlId list : {ControlId("cboByte0"), ControlId("cboByte1")}) {
        const auto& items = control(list).items;
        ASSERT_EQ(items.size(), 256u) << list.name();
        EXPECT_EQ(items[0], u"00");
        EXPECT_EQ(items[15], u"0F");
        EXPECT_EQ(items[160], u"A0");
        EXPECT_EQ(items[255], u"FF");
    }
    EXPECT_EQ(control("cboByte0").selectedIndex, 1);
    EXPECT_EQ(control("cboByte1").selectedIndex, 0);
    EXPECT_EQ(control("chkAutoincrement").check, kChecked);
    EXPECT_FALSE(control("tmrContinuousDataCollect").timerArmed);
    EXPECT_EQ(control("tmrContinuousDataCollect").timerIntervalMs, 1000);
}

struct GroupEnableCase {
    bool enable;
    CheckState sentinelBoxes;
};

class GroupEnableTest : public PresenterTest, public ::testing::WithParamInterface<GroupEnableCase> {};

TEST_P(GroupEnableTest, WalkSetsEveryControlAndTheTimerThenKeepsConnectUsableAndSentinelsFollowTheirBoxes) {
    const auto [enable, sentinelBoxes] = GetParam();
    ReaderSettings settings;
    settings.startSentinelEnabled = sentinelBoxes;
    settings.endSentinelEnabled = sentinelBoxes;
    presenter_.applySettings(settings);

    presenter_.SetControlsEnabled(enable);

    for (const ControlId id : enableableControls()) {
        bool expected = enable;
        if (kAlwaysEnabled.contains(id.name())) {
            expected = true;
        } else if (isSentinelField(id)) {
            expected = isOn(sentinelBoxes);
        }
        EXPECT_EQ(control(id).enabled, expected) << id.name();
    }
    for (const ControlSpec& spec : mainWindowControls()) {
        EXPECT_EQ(control(ControlId::of(spec)).visible, !kHidden.contains(spec.name)) << spec.name;
    }
    EXPECT_EQ(control("tmrContinuousDataCollect").timerArmed, enable);
    EXPECT_EQ(std::ranges::count(view_.calls, std::string("setEnabled CommonDialog1")), 0);
}

INSTANTIATE_TEST_SUITE_P(AllValues, GroupEnableTest,
                         ::testing::Values(GroupEnableCase{true, kUnchecked}, GroupEnableCase{true, kChecked},
                                           GroupEnableCase{true, kGrayed}, GroupEnableCase{false, kChecked}),
                         [](const auto& info) {
                             return std::string(info.param.enable ? "Enable" : "Disable") + "WithSentinelBoxes" +
                                    std::to_string(info.param.sentinelBoxes);
                         });

// After a group enable the focused control keeps the focus while it is usable; otherwise the first usable control
// in tab order takes it (the result list, tab index 0, once the diagnostic panel shows).
struct FocusCase {
    const char* label;
    const char* focusedBefore;
    bool enable;
    bool diagnostic;
    const char* focusedAfter;
};

void PrintTo(const FocusCase& c, std::ostream* out) { *out << c.label; }

class FocusTest : public PresenterTest, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(FocusTest, FocusStaysWhereItIsUsableElseGoesToTheFirstUsableInTabOrder) {
    if (GetParam().diagnostic) {
        presenter_.showDiagnosticPanel();
    }
    presenter_.SetControlsEnabled(true);
    view_.focused = controlNamed(GetParam().focusedBefore);
    presenter_.SetControlsEnabled(GetParam().enable);
    EXPECT_TRUE(view_.focused == controlNamed(GetParam().focusedAfter));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FocusTest,
    ::testing::Values(FocusCase{"ConnectKeptWhenDisabling", "cmdOnce", false, false, "cmdOnce"},
                      FocusCase{"TrackKeptWhenEnabling", "chkTrack(1)", true, false, "chkTrack(1)"},
                      FocusCase{"TrackInsideDisabledContainer", "chkTrack(1)", false, false, "cmdOnce"},
                      FocusCase{"SentinelFieldOfClearBox", "txtSS(0)", true, false, "cmdOnce"},
                      FocusCase{"NoneFocused", "", true, false, "cmdOnce"},
                      FocusCase{"NoneFocusedWithDiagnosticPanel", "", true, true, "lstResults"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(PresenterTest, ClosingTheWindowClosesTheDeviceOnce) {
    connectVirtualReader();
    const std::vector<hid::Handle> handles = platform_.openHandles();
    ASSERT_EQ(handles.size(), 2u);

    presenter_.closing();
    for (const hid::Handle handle : handles) {
        EXPECT_EQ(platform_.closeCount(handle), 1);
    }
}

}  // namespace
}  // namespace cdr::test
