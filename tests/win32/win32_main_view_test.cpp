#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "input_controls.h"
#include "presenter/control_names.h"
#include "presenter/control_table.h"
#include "recording_view_events.h"
#include "win32/win32_main_view.h"
#include "window_text.h"

namespace cdr::win32 {
namespace {

using enum ControlKind;

constexpr int kTwipsPerInch = 1440;

const ControlSpec& specNamed(const char* name) {
    const auto table = mainWindowControls();
    return *std::find_if(table.begin(), table.end(),
                         [name](const ControlSpec& spec) { return std::strcmp(spec.name, name) == 0; });
}

// The spec and each of its containers out to the window.
std::vector<const ControlSpec*> withContainers(const ControlSpec& spec) {
    std::vector<const ControlSpec*> chain{&spec};
    while (chain.back()->container != nullptr) {
        chain.push_back(&specNamed(chain.back()->container));
    }
    return chain;
}

bool shownWithItsContainers(const ControlSpec& spec) {
    const auto chain = withContainers(spec);
    return std::none_of(chain.begin(), chain.end(), [](const ControlSpec* at) { return at->hidden; });
}

bool hasWindow(const ControlSpec& spec) { return spec.kind != Timer && spec.kind != FileDialog; }

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int pixels(int twips) { return MulDiv(twips, screenDpi(), kTwipsPerInch); }

LRESULT checkOf(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0); }

class Win32MainViewTest : public ::testing::Test {
protected:
    Win32MainViewTest() { view.showWindow(); }

    HWND at(ControlId id) const {
        HWND handle = view.control(id);
        EXPECT_NE(handle, nullptr) << id.name();
        return handle;
    }

    RecordingViewEvents events;
    Win32MainView view{events};
};

TEST_F(Win32MainViewTest, CreatesEveryControlOfTheTableWithItsCaptionInItsPlace) {
    int windows = 0;
    for (const ControlSpec& spec : mainWindowControls()) {
        if (!hasWindow(spec)) {
            EXPECT_EQ(view.control(ControlId::of(spec)), nullptr) << spec.name;
            continue;
        }
        ++windows;
        HWND control = at(ControlId::of(spec));
        EXPECT_EQ(GetParent(control), view.window()) << spec.name;
        POINT twips{0, 0};
        for (const ControlSpec* level : withContainers(spec)) {
            twips.x += level->left;
            twips.y += level->top;
        }
        RECT placed{};
        GetWindowRect(control, &placed);
        MapWindowPoints(nullptr, view.window(), reinterpret_cast<POINT*>(&placed), 2);
        EXPECT_EQ(placed.left, pixels(twips.x)) << spec.name;
        EXPECT_EQ(placed.top, pixels(twips.y)) << spec.name;
        // A caption wider than its control at the font in use widens the control to the right.
        EXPECT_GE(placed.right - placed.left, pixels(spec.width)) << spec.name;
        if (spec.kind != DropDownList) {  // a drop-down list is as high as its font when closed
            EXPECT_EQ(placed.bottom - placed.top, pixels(spec.height)) << spec.name;
        }
        const std::string caption = spec.kind == EdgeCaptionGroupBox ? "" : spec.caption;
        EXPECT_EQ(windowText(control), std::wstring(caption.begin(), caption.end())) << spec.name;
    }
    int children = 0;
    EnumChildWindows(
        view.window(), [](HWND, LPARAM count) { return ++*reinterpret_cast<int*>(count), TRUE; },
        reinterpret_cast<LPARAM>(&children));
    EXPECT_EQ(children, windows);
}

TEST_F(Win32MainViewTest, WindowHasItsCaptionClientSizeAndIcon) {
    EXPECT_EQ(windowText(view.window()), L"VELK CDR55P4W  V1.1");
    RECT client{};
    GetClientRect(view.window(), &client);
    EXPECT_EQ(client.right, pixels(8985));
    EXPECT_EQ(client.bottom, pixels(4995));
    EXPECT_NE(GetClassLongPtrW(view.window(), GCLP_HICONSM), 0);
}

TEST_F(Win32MainViewTest, HiddenControlsAndWhatTheyHoldStayHidden) {
    for (const ControlSpec& spec : mainWindowControls()) {
        if (hasWindow(spec)) {
            EXPECT_EQ(IsWindowVisible(at(ControlId::of(spec))) != FALSE, shownWithItsContainers(spec)) << spec.name;
        }
    }
}

TEST_F(Win32MainViewTest, TabVisitsTheShownControlsInTheOrderOfTheirTabIndices) {
    std::vector<int> expected;
    for (const ControlSpec& spec : mainWindowControls()) {
        if (takesInput(spec) && shownWithItsContainers(spec)) {
            expected.push_back(spec.tabIndex);
        }
    }
    std::sort(expected.begin(), expected.end());
    std::vector<int> visited;
    HWND first = GetNextDlgTabItem(view.window(), nullptr, FALSE);
    for (HWND at = first; at != nullptr && visited.size() <= expected.size();) {
        const int position = GetDlgCtrlID(at) - Win32MainView::kFirstControlId;
        visited.push_back(mainWindowControls()[static_cast<std::size_t>(position)].tabIndex);
        at = GetNextDlgTabItem(view.window(), at, FALSE);
        if (at == first) {
            break;
        }
    }
    EXPECT_EQ(visited, expected);
}

// The system names a field without a name of its own by the label stacked just above it.
TEST_F(Win32MainViewTest, EachSentinelFieldHasItsLabelJustAboveIt) {
    for (std::size_t i = 0; i < kTrackCount; ++i) {
        EXPECT_EQ(GetWindow(at(kTxtSS[i]), GW_HWNDPREV), at(kStartLabels[i])) << i;
        EXPECT_EQ(GetWindow(at(kTxtES[i]), GW_HWNDPREV), at(kEndLabels[i])) << i;
    }
}

TEST_F(Win32MainViewTest, AClickTicksAClearOrGrayedBoxAndClearsATickedOne) {
    struct Case {
        CheckState before;
        CheckState after;
    };
    for (const Case& step : {Case{kUnchecked, kChecked}, Case{kChecked, kUnchecked}, Case{kGrayed, kChecked}}) {
        view.setCheck("chkTrack(1)", step.before);
        events.events.clear();
        SendMessageW(at("chkTrack(1)"), BM_CLICK, 0, 0);
        EXPECT_EQ(checkOf(at("chkTrack(1)")), step.after == kChecked ? BST_CHECKED : BST_UNCHECKED);
        EXPECT_EQ(events.events, std::vector<std::string>{"checkChanged chkTrack(1) " + std::to_string(step.after)});
    }
}

// The presenter turns the other options of the group off; the view only reports.
TEST_F(Win32MainViewTest, AClickedOptionTurnsOnAndThePresenterMayLeaveNoneOn) {
    view.setCheck("optCR(1)", kChecked);
    SendMessageW(at("optCR(2)"), BM_CLICK, 0, 0);
    SendMessageW(at("optCR(2)"), BM_CLICK, 0, 0);
    EXPECT_EQ(checkOf(at("optCR(2)")), BST_CHECKED);
    EXPECT_EQ(events.events, std::vector<std::string>{"checkChanged optCR(2) 1"});

    view.setCheck("optCR(1)", kUnchecked);
    view.setCheck("optCR(2)", kUnchecked);
    for (const ControlId option : {ControlId("optCR(0)"), ControlId("optCR(1)"), ControlId("optCR(2)")}) {
        EXPECT_EQ(checkOf(at(option)), BST_UNCHECKED) << option.name();
    }
}

TEST_F(Win32MainViewTest, UserActionsAreReportedOnce) {
    SendMessageW(at("cmdRead"), BM_CLICK, 0, 0);
    SendMessageW(at("txtES(1)"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"%"));
    view.setItems("cboByte1", {u"00", u"01", u"02"});
    SendMessageW(at("cboByte1"), CB_SETCURSEL, 2, 0);
    SendMessageW(view.window(), WM_COMMAND, MAKEWPARAM(Win32MainView::controlId("cboByte1"), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(at("cboByte1")));
    EXPECT_EQ(events.events, (std::vector<std::string>{"clicked cmdRead", "textEdited txtES(1) %",
                                                       "selectedIndexChanged cboByte1 2"}));
}

TEST_F(Win32MainViewTest, ChangesByThePresenterAreNotReported) {
    view.setText("txtSS(0)", u";");
    view.setText("txtMsg", u"Device Connected!");
    view.setCheck("chkStart", kChecked);
    view.setCheck("optFormat(1)", kChecked);
    view.setItems("cboByte0", {u"00", u"01"});
    view.setSelectedIndex("cboByte0", 1);
    view.setEnabled("frmSet", false);
    EXPECT_EQ(windowText(at("txtSS(0)")), L";");
    EXPECT_EQ(SendMessageW(at("cboByte0"), CB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(events.events.empty());
}

TEST_F(Win32MainViewTest, SentinelFieldsHoldOneCharacter) {
    for (const ControlId field : {ControlId("txtSS(0)"), ControlId("txtSS(1)"), ControlId("txtSS(2)"),
                                  ControlId("txtES(0)"), ControlId("txtES(1)"), ControlId("txtES(2)")}) {
        EXPECT_EQ(SendMessageW(at(field), EM_GETLIMITTEXT, 0, 0), 1) << field.name();
        view.setText(field, u"ab");
        EXPECT_EQ(windowText(at(field)), L"a") << field.name();
    }
    view.setText("txtBytesReceived", u"ab");
    EXPECT_EQ(windowText(at("txtBytesReceived")), L"ab");
}

TEST_F(Win32MainViewTest, AContainerPassesItsStateOnWithoutLosingTheStatesOfWhatItHolds) {
    view.setEnabled("chkStart", false);
    view.setEnabled("frmSet", false);
    EXPECT_FALSE(IsWindowEnabled(at("txtSS(0)")));
    EXPECT_FALSE(IsWindowEnabled(at("cmdLoad")));
    EXPECT_TRUE(IsWindowEnabled(at("cmdOnce")));

    view.setEnabled("frmSet", true);
    EXPECT_TRUE(IsWindowEnabled(at("txtSS(0)")));
    EXPECT_FALSE(IsWindowEnabled(at("chkStart")));
}

TEST_F(Win32MainViewTest, TheTimerTicksOnlyWhileArmed) {
    const auto timer = static_cast<WPARAM>(Win32MainView::controlId("tmrContinuousDataCollect"));
    SendMessageW(view.window(), WM_TIMER, timer, 0);
    view.setTimer("tmrContinuousDataCollect", true, 1000);
    SendMessageW(view.window(), WM_TIMER, timer, 0);
    view.setTimer("tmrContinuousDataCollect", false, 1000);
    SendMessageW(view.window(), WM_TIMER, timer, 0);
    EXPECT_EQ(events.events, std::vector<std::string>{"timerElapsed tmrContinuousDataCollect"});

    view.setTimer("tmrContinuousDataCollect", true, 1000);
    EXPECT_TRUE(KillTimer(view.window(), timer));  // the system holds the armed timer
}

TEST_F(Win32MainViewTest, FocusIsSetAndReadByName) {
    view.setFocus("txtES(2)");
    EXPECT_TRUE(view.focusedControl() == ControlId("txtES(2)"));
    view.setFocus("cmdOnce");
    EXPECT_TRUE(view.focusedControl() == ControlId("cmdOnce"));
}

TEST_F(Win32MainViewTest, EmphasisedCaptionsAreBold) {
    for (const ControlId name : {ControlId("cmdOnce"), ControlId("chkStart"), ControlId("chkEnd"), ControlId("txtMsg"),
                                 ControlId("cmdRead")}) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(at(name), WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(font.lfWeight >= FW_BOLD, name != ControlId("cmdRead")) << name.name();
    }
}

TEST_F(Win32MainViewTest, ClosingIsReportedAndDestroysTheWindow) {
    HWND window = view.window();
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(events.events, std::vector<std::string>{"closing"});
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(view.window(), nullptr);
    EXPECT_EQ(runMessageLoop(window), 0);
}

}  // namespace
}  // namespace cdr::win32
