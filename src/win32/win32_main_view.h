#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "presenter/control_table.h"
#include "presenter/main_view.h"
#include "win32/accessible_annotations.h"
#include "win32/settings_file_dialog.h"
#include "win32/window_fonts.h"

namespace cdr::win32 {

// The main window made of native Win32 controls, one per entry of the control table, all children of the window
// and placed at their container's position plus their own, in pixels at the DPI of the monitor the window is on
// (again when Windows moves it to a monitor of another DPI). A container's enabled
// and visible states pass on to what it holds. The view reports every change of a control's value as ViewEvents,
// whatever made it (a click, a key, UI Automation, a paste), except what the presenter set through MainView. Its
// code is split by concern: creation (win32_main_view.cpp), layout (win32_main_view_layout.cpp), showing the
// presenter's states (win32_main_view_states.cpp), messages (win32_main_view_messages.cpp) and the look
// (win32_main_view_look.cpp).
class Win32MainView final : public MainView {
public:
    // Creates the window and its controls, not yet shown. Events are dropped until setEvents names a receiver.
    // Throws std::system_error with GetLastError when the window or a control cannot be created.
    Win32MainView();
    explicit Win32MainView(ViewEvents& events);
    // Destroys the window if it is still there, without reporting closing().
    ~Win32MainView() override;
    Win32MainView(const Win32MainView&) = delete;
    Win32MainView& operator=(const Win32MainView&) = delete;

    void setEvents(ViewEvents& events) { events_ = &events; }
    // Replaces the common file dialogs, for instance by one that answers without showing anything.
    void setFileDialogs(std::unique_ptr<FileDialogRunner> dialogs) { dialogs_ = std::move(dialogs); }

    // The top-level window; nullptr once it was closed.
    HWND window() const { return window_; }
    // The control's own window; nullptr for the timer and the file dialog.
    HWND control(ControlId id) const { return controls_[id.index()].handle; }
    // Every control's ID (its WM_COMMAND identifier, and the timer's ID): kFirstControlId plus its position in
    // the control table.
    static constexpr int kFirstControlId = 1000;
    static int controlId(ControlId id) { return kFirstControlId + static_cast<int>(id.index()); }
    // The tooltip that shows the status label's whole text, which is also the label's accessible description.
    HWND statusTip() const { return statusTip_; }

    // MainView.
    void showWindow() override;
    void setText(ControlId control, std::u16string_view text) override;
    void setCheck(ControlId control, CheckState state) override;
    void setEnabled(ControlId control, bool enabled) override;
    void setVisible(ControlId control, bool visible) override;
    void setTabStop(ControlId control, bool tabStop) override;
    void setItems(ControlId control, const std::vector<std::u16string>& items) override;
    void setSelectedIndex(ControlId control, int index) override;
    std::optional<ControlId> focusedControl() const override;
    void setFocus(ControlId control) override;
    void setTimer(ControlId control, bool armed, int intervalMs) override;
    void setBusy(bool busy) override;
    void setStatus(std::u16string_view shown, std::u16string_view whole) override;
    int textWidth(ControlId control, std::u16string_view text) const override;
    int textRoom(ControlId control) const override;
    int captionWidth(ControlId control, std::u16string_view caption) const override;
    void appendItem(ControlId control, std::u16string_view item) override;
    void place(ControlId control, TwipsRect rect) override;
    void setClientSize(int widthTwips, int heightTwips) override;
    // The path the user chose, in UTF-8.
    std::optional<std::string> chooseSettingsFile(FileDialogKind kind) override;

    // Asks the window whether it takes an arrow key pressed on one of its controls (wParam the key, lParam the
    // control's window); nonzero when it did, and the key must go no further.
    static constexpr UINT kArrowKeyMessage = WM_APP + 1;

private:
    struct Control {
        const ControlSpec* spec = nullptr;
        HWND handle = nullptr;
        int container = -1;  // position of the containing control; -1: the window
        TwipsRect rect;      // in its container
        bool enabled = true;
        bool visible = true;
        bool armed = false;                  // timers
        CheckState shownCheck = kUnchecked;  // check boxes and option buttons: the state last shown or reported
    };

    // Sets the flag while the presenter changes a control, so that the notifications it causes are not
    // reported.
    class ProgrammaticChange {
    public:
        explicit ProgrammaticChange(Win32MainView& view) : view_(view) { ++view_.programmaticChanges_; }
        ~ProgrammaticChange() { --view_.programmaticChanges_; }
        ProgrammaticChange(const ProgrammaticChange&) = delete;
        ProgrammaticChange& operator=(const ProgrammaticChange&) = delete;

    private:
        Win32MainView& view_;
    };

    // Creation (win32_main_view.cpp).
    void createWindow();
    void createControls();
    void createStatusTip();
    Control& at(ControlId id) { return controls_[id.index()]; }
    const Control& at(ControlId id) const { return controls_[id.index()]; }
    int findByHandle(HWND handle) const;
    // The receiver of events, or nullptr while the presenter changes a control.
    ViewEvents* listener() const { return programmaticChanges_ == 0 ? events_ : nullptr; }

    // Layout (win32_main_view_layout.cpp).
    int pixels(int twips) const { return MulDiv(twips, dpi_, kTwipsPerInch); }
    POINT origin(const Control& control) const;
    void moveWithContents(int index);
    // Places every control from its rectangle at the window's DPI.
    void layOut();
    // WM_DPICHANGED: the fonts and the layout at the new DPI, the window where Windows suggests.
    void onDpiChanged(int dpi, const RECT& suggested);
    bool effectivelyEnabled(int index) const;
    bool effectivelyVisible(int index) const;
    void applyStates(int index);

    // Messages (win32_main_view_messages.cpp).
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(int index, WORD notification);
    void onCheckBoxClicked(Control& control);
    void onOptionButtonClicked(Control& control);
    bool onArrowKey(WPARAM key, HWND target);

    // The look (win32_main_view_look.cpp).
    void applyFonts();
    void nameSentinelFields();
    HBRUSH onControlColor(HDC dc, HWND control);
    // NM_CUSTOMDRAW from a button: the coloured faces and the sentinel boxes' captions, which the visual styles
    // would draw in the theme's colours.
    LRESULT onCustomDraw(const NMCUSTOMDRAW& draw);

    static constexpr int kTwipsPerInch = 1440;

    ViewEvents* events_ = nullptr;
    std::unique_ptr<FileDialogRunner> dialogs_ = makeCommonFileDialogs();
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    SIZE clientTwips_{};
    HWND window_ = nullptr;
    HWND statusTip_ = nullptr;
    std::wstring statusTipText_;
    std::vector<Control> controls_;
    std::unique_ptr<WindowFonts> fonts_;
    HBRUSH statusBackground_ = nullptr;
    AccessibleAnnotations annotations_;
    int programmaticChanges_ = 0;
    bool busy_ = false;
};

// Hands one message of the thread to the window: the arrow keys on its buttons to the window itself, Tab and the
// other dialog keys to the dialog manager, the rest to its target.
void dispatchWindowMessage(HWND window, MSG& message);

// Runs the window's messages until it is destroyed or the thread gets WM_QUIT. Gives the exit code of WM_QUIT, 0
// otherwise.
int runMessageLoop(HWND window);

}  // namespace cdr::win32
