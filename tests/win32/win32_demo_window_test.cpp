// The demo program's window as a user meets it: the Win32 view, the presenter and the demo's virtual reader, driven
// only through window messages and read back from the controls.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "answering_dialogs.h"
#include "hid/sim/demo_hid_platform.h"
#include "input_controls.h"
#include "presenter/control_table.h"
#include "presenter/main_presenter.h"
#include "win32/win32_main_view.h"
#include "window_text.h"

namespace cdr::win32 {
namespace {

class Win32DemoWindowTest : public ::testing::Test {
protected:
    Win32DemoWindowTest() {
        view.setFileDialogs(std::make_unique<AnsweringDialogs>(settingsFile.wstring()));
        view.setEvents(presenter);
        presenter.Form_Load();
    }
    ~Win32DemoWindowTest() override { std::filesystem::remove(settingsFile); }

    HWND at(ControlId id) const { return view.control(id); }
    void press(ControlId name) const { SendMessageW(at(name), BM_CLICK, 0, 0); }
    // The edit control reports EN_CHANGE for WM_SETTEXT as it does for typing.
    void type(ControlId field, const wchar_t* text) const {
        SendMessageW(at(field), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    std::wstring text(ControlId name) const { return windowText(at(name)); }
    std::wstring status() const { return text("txtMsg"); }
    bool ticked(ControlId name) const { return SendMessageW(at(name), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    // The controls on screen that a user can operate now.
    std::vector<std::string> usableControls() const {
        std::vector<std::string> usable;
        for (const ControlSpec& spec : mainWindowControls()) {
            if (takesInput(spec) && IsWindowVisible(at(ControlId::of(spec))) &&
                IsWindowEnabled(at(ControlId::of(spec)))) {
                usable.emplace_back(spec.name);
            }
        }
        return usable;
    }

    // The sentinel fields are usable as their check box dictates.
    void expectSentinelFieldsUsable(bool start, bool end) const {
        for (const ControlId field : {ControlId("txtSS(0)"), ControlId("txtSS(1)"), ControlId("txtSS(2)")}) {
            EXPECT_EQ(IsWindowEnabled(at(field)) != FALSE, start) << field.name();
        }
        for (const ControlId field : {ControlId("txtES(0)"), ControlId("txtES(1)"), ControlId("txtES(2)")}) {
            EXPECT_EQ(IsWindowEnabled(at(field)) != FALSE, end) << field.name();
        }
    }

    // Ticks "Track Start Sentinel", gives track 2 the start sentinel "%" and picks AAMVA.
    void changeSettings() const {
        press("chkStart");
        type("txtSS(1)", L"%");
        press("optFormat(1)");
    }
    void expectChangedSettings() const {
        EXPECT_TRUE(ticked("chkStart"));
        expectSentinelFieldsUsable(true, false);
        EXPECT_EQ(text("txtSS(1)"), L"%");
        EXPECT_TRUE(ticked("optFormat(1)"));
        EXPECT_FALSE(ticked("optFormat(0)"));
    }
    void expectFactorySettings() const {
        EXPECT_FALSE(ticked("chkStart"));
        expectSentinelFieldsUsable(false, false);
        EXPECT_EQ(text("txtSS(1)"), L"");
        EXPECT_TRUE(ticked("optFormat(0)"));
        EXPECT_FALSE(ticked("optFormat(1)"));
        EXPECT_TRUE(ticked("optCR(1)"));
    }

    const std::filesystem::path settingsFile =
        std::filesystem::temp_directory_path() / ("cdr-demo-window-" + std::to_string(GetCurrentProcessId()) + ".cfg");
    hid::sim::DemoHidPlatform devices;
    Win32MainView view;
    MainPresenter presenter{view, devices.platform()};
};

TEST_F(Win32DemoWindowTest, ConnectsAsksTheVersionAndDisconnectsBackToTheStartUpState) {
    EXPECT_EQ(usableControls(), std::vector<std::string>{"cmdOnce"});
    EXPECT_EQ(status(), L"");

    press("cmdOnce");
    EXPECT_EQ(status(), L"Device Connected!");
    EXPECT_EQ(text("cmdOnce"), L"Disconnect");
    std::vector<std::string> allButSentinelFields;
    for (const ControlSpec& spec : mainWindowControls()) {
        const std::string name = spec.name;
        if (takesInput(spec) && IsWindowVisible(at(ControlId::of(spec))) && !name.starts_with("txtSS") &&
            !name.starts_with("txtES")) {
            allButSentinelFields.push_back(name);
        }
    }
    EXPECT_EQ(usableControls(), allButSentinelFields);

    press("cmdVersion");
    EXPECT_EQ(status(), L"Ver.:1.05");

    press("cmdOnce");
    EXPECT_EQ(status(), L"Disconnect!");
    EXPECT_EQ(text("cmdOnce"), L"Connect");
    EXPECT_EQ(usableControls(), std::vector<std::string>{"cmdOnce"});
}

TEST_F(Win32DemoWindowTest, WrittenSettingsComeBackFromTheReaderAfterAFactoryReset) {
    press("cmdOnce");
    changeSettings();
    expectChangedSettings();

    press("cmdWrite");
    EXPECT_EQ(status(), L"Complete write config!");
    press("cmdDefault");
    expectFactorySettings();
    press("cmdRead");
    EXPECT_EQ(status(), L"Complete read config!");
    expectChangedSettings();
}

TEST_F(Win32DemoWindowTest, SavedSettingsComeBackFromTheFileAfterAFactoryReset) {
    press("cmdOnce");
    changeSettings();

    press("cmdSave");
    const std::wstring name = settingsFile.filename().wstring();
    EXPECT_EQ(status(), L"Saved " + name);
    press("cmdDefault");
    expectFactorySettings();
    press("cmdLoad");
    EXPECT_EQ(status(), L"Loaded " + name);
    expectChangedSettings();
}

}  // namespace
}  // namespace cdr::win32
