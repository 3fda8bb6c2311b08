// The Win32 window applies what the presenter decides, whatever changed a control: a click, UI Automation's Toggle
// and Value patterns (BM_SETCHECK then BN_CLICKED, WM_SETTEXT), keys, and input that arrives while the window waits
// on the reader.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <filesystem>
#include <string>

#include "answering_dialogs.h"
#include "hid/sim/sim_hid_platform.h"
#include "hid/sim/virtual_reader.h"
#include "presenter/main_presenter.h"
#include "win32/win32_main_view.h"
#include "window_text.h"

namespace cdr::win32 {
namespace {

class Win32SharedRulesTest : public ::testing::Test {
protected:
    Win32SharedRulesTest() {
        hid::sim::VirtualDevice device = reader.device("/dev/hidraw-reader");
        // While the window waits on the reader: the user's input, and what the cursor shows.
        device.responder = [this, answer = device.responder](std::span<const std::uint8_t> report) {
            if (duringWait) duringWait();
            return answer(report);
        };
        platform.addDevice(std::move(device));
        view.setFileDialogs(std::make_unique<AnsweringDialogs>(settingsFile.wstring()));
        view.setEvents(presenter);
        presenter.Form_Load();
    }
    ~Win32SharedRulesTest() override { std::filesystem::remove(settingsFile); }

    HWND at(ControlId id) const { return view.control(id); }
    void press(ControlId id) const { SendMessageW(at(id), BM_CLICK, 0, 0); }
    bool ticked(ControlId id) const { return SendMessageW(at(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // UI Automation's Toggle on a check box: the state is set, then the parent hears of a click.
    void toggleAsUiAutomation(ControlId box, WPARAM state) const {
        SendMessageW(at(box), BM_SETCHECK, state, 0);
        SendMessageW(view.window(), WM_COMMAND, MAKEWPARAM(Win32MainView::controlId(box), BN_CLICKED),
                     reinterpret_cast<LPARAM>(at(box)));
    }
    void keyDown(ControlId id, WPARAM key) const {
        MSG message{at(id), WM_KEYDOWN, key, 0, 0, {}};
        dispatchWindowMessage(view.window(), message);
    }
    void pumpMessages() const {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) dispatchWindowMessage(view.window(), message);
    }

    const std::filesystem::path settingsFile =
        std::filesystem::temp_directory_path() /
        ("cdr-shared-rules-with-a-rather-long-name-" + std::to_string(GetCurrentProcessId()) + ".cfg");
    hid::sim::VirtualReader reader;
    hid::sim::SimHidPlatform platform;
    std::function<void()> duringWait;
    Win32MainView view;
    MainPresenter presenter{view, platform};
};

TEST_F(Win32SharedRulesTest, UiAutomationChangesReachThePresenterSoFactoryResetAndSaveAgreeWithTheScreen) {
    press("cmdOnce");
    toggleAsUiAutomation("chkStart", BST_CHECKED);
    toggleAsUiAutomation("chkTrack(2)", BST_UNCHECKED);
    SendMessageW(at("txtSS(0)"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L";"));
    EXPECT_TRUE(ticked("chkStart"));
    EXPECT_TRUE(IsWindowEnabled(at("txtSS(1)")));
    EXPECT_EQ(presenter.currentSettings().startSentinel[0], u";");
    EXPECT_EQ(presenter.currentSettings().trackEnabled[2], kUnchecked);

    press("cmdDefault");
    EXPECT_FALSE(ticked("chkStart"));
    EXPECT_TRUE(ticked("chkTrack(2)"));
    EXPECT_EQ(windowText(at("txtSS(0)")), L"");
    EXPECT_FALSE(IsWindowEnabled(at("txtSS(1)")));
    EXPECT_EQ(presenter.currentSettings(), factorySettings());
}

TEST_F(Win32SharedRulesTest, InputWhileWaitingOnTheReaderIsDroppedAndTheCursorComesBack) {
    HCURSOR cursorWhileWaiting = nullptr;
    duringWait = [this, &cursorWhileWaiting] {
        cursorWhileWaiting = GetCursor();
        PostMessageW(at("cmdOnce"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        PostMessageW(at("cmdOnce"), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        PostMessageW(at("cmdOnce"), WM_KEYDOWN, VK_SPACE, 0);
        PostMessageW(at("cmdOnce"), WM_KEYUP, VK_SPACE, 0);
    };
    press("cmdOnce");
    duringWait = nullptr;
    pumpMessages();
    EXPECT_EQ(windowText(at("cmdOnce")), L"Disconnect");
    EXPECT_EQ(windowText(at("txtMsg")), L"Device Connected!");

    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    EXPECT_EQ(cursorWhileWaiting, wait);
    SendMessageW(view.window(), WM_SETCURSOR, reinterpret_cast<WPARAM>(view.window()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), wait);
}

TEST_F(Win32SharedRulesTest, FocusComesBackWhereTheWindowWasLeft) {
    press("cmdOnce");
    SetFocus(at("chkTrack(1)"));
    SendMessageW(view.window(), WM_ACTIVATE, WA_INACTIVE, 0);
    SendMessageW(view.window(), WM_SETFOCUS, 0, 0);
    EXPECT_EQ(GetFocus(), at("chkTrack(1)"));
}

TEST_F(Win32SharedRulesTest, ArrowKeysSelectWithinAnOptionGroupAndDoNothingOnCheckBoxes) {
    press("cmdOnce");
    SetFocus(at("optCR(1)"));
    keyDown("optCR(1)", VK_DOWN);
    EXPECT_TRUE(ticked("optCR(2)"));
    EXPECT_FALSE(ticked("optCR(1)"));
    EXPECT_EQ(GetFocus(), at("optCR(2)"));
    EXPECT_TRUE(GetWindowLongPtrW(at("optCR(2)"), GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongPtrW(at("optCR(1)"), GWL_STYLE) & WS_TABSTOP);

    SetFocus(at("chkTrack(0)"));
    keyDown("chkTrack(0)", VK_DOWN);
    EXPECT_EQ(GetFocus(), at("chkTrack(0)"));
}

TEST_F(Win32SharedRulesTest, ALongStatusIsElidedAndWholeInItsTooltip) {
    press("cmdOnce");
    press("cmdSave");
    const std::wstring whole = L"Saved " + settingsFile.filename().wstring();
    const std::wstring shown = windowText(at("txtMsg"));
    wchar_t tip[256] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = view.window();
    tool.uId = reinterpret_cast<UINT_PTR>(at("txtMsg"));
    tool.lpszText = tip;
    SendMessageW(view.statusTip(), TTM_GETTEXTW, std::size(tip), reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::wstring(tip), whole);
    if (shown != whole) {
        EXPECT_NE(shown.find(L'\u2026'), std::wstring::npos);
        EXPECT_TRUE(shown.starts_with(L"Saved "));
    }
}

TEST_F(Win32SharedRulesTest, TheDiagnosticPanelsControlsDoNotOverlap) {
    presenter.showDiagnosticPanel();
    RECT client{};
    GetClientRect(view.window(), &client);
    std::vector<RECT> placed;
    for (const ControlId id : {ControlId("lstResults"), ControlId("fraBytesReceived"), ControlId("fraBytesToSend")}) {
        RECT rect{};
        GetWindowRect(at(id), &rect);
        MapWindowPoints(nullptr, view.window(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_LE(rect.right, client.right) << id.name();
        EXPECT_LE(rect.bottom, client.bottom) << id.name();
        for (const RECT& other : placed) {
            RECT overlap{};
            EXPECT_FALSE(IntersectRect(&overlap, &rect, &other)) << id.name();
        }
        placed.push_back(rect);
    }
}

// Wine's accessible objects name a control by its window text only and know nothing of annotations.
TEST_F(Win32SharedRulesTest, SentinelFieldsHaveTheirWholeCaptionAsAccessibleName) {
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr) {
        GTEST_SKIP() << "Wine does not read accessible-name annotations";
    }
    IAccessible* accessible = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(at("txtES(1)"), static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                         reinterpret_cast<void**>(&accessible)),
              S_OK);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    EXPECT_EQ(accessible->get_accName(self, &name), S_OK);
    EXPECT_EQ(std::wstring(name == nullptr ? L"" : name), L"Track End Sentinel, Track2");
    SysFreeString(name);
    accessible->Release();
}

}  // namespace
}  // namespace cdr::win32
