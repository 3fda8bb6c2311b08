#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "presenter/control_table.h"
#include "presenter/main_view.h"
#include "win32/settings_file_dialog.h"
#include "win32/window_fonts.h"

namespace cdr::win32 {

// The main window made of native Win32 controls, one per entry of the control table, all children of the window
// and placed at their container's position plus their own, in pixels at the system's DPI. A container's enabled
// and visible states pass on to what it holds. The view turns user actions on the controls into ViewEvents;
// what the presenter sets through MainView is never reported back.
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
    // The control's own window; nullptr for the timer, the file dialog and names the table does not hold.
    HWND control(std::string_view name) const;
    // Every control's ID (its WM_COMMAND identifier, and the timer's ID): kFirstControlId plus its position in
    // the control table; -1 for names the table does not hold.
    static constexpr int kFirstControlId = 1000;
    static int controlId(std::string_view name);

    // MainView. Names the table does not hold are passed over.
    void showWindow() override;
    void setText(std::string_view control, std::u16string_view text) override;
    void setCheck(std::string_view control, CheckState state) override;
    void setEnabled(std::string_view control, bool enabled) override;
    void setVisible(std::string_view control, bool visible) override;
    void setItems(std::string_view control, const std::vector<std::u16string>& items) override;
    void setSelectedIndex(std::string_view control, int index) override;
    std::string focusedControl() const override;
    void setFocus(std::string_view control) override;
    void setTimer(std::string_view control, bool armed, int intervalMs) override;
    void setBusy(bool busy) override;
    // The status label shows the whole text, the file name put in.
    void setStatus(std::u16string_view text, std::u16string_view fileName) override;
    void appendItem(std::string_view control, std::u16string_view item) override;
    // Widens the window so that its client area holds the diagnostic controls where the table places them.
    void layOutDiagnosticPanel() override;
    // The path the user chose, in UTF-8.
    std::optional<std::string> chooseSettingsFile(FileDialogKind kind) override;

private:
    struct Control {
        const ControlSpec* spec = nullptr;
        HWND handle = nullptr;
        int container = -1;  // position of the containing control; -1: the window
        bool enabled = true;
        bool visible = true;
        bool armed = false;  // timers
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

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void createWindow();
    void createControls();
    void stackInTabOrder();
    void applyFonts();
    POINT origin(const Control& control) const;
    int find(std::string_view name) const;
    int findByHandle(HWND handle) const;
    bool effectivelyEnabled(int index) const;
    bool effectivelyVisible(int index) const;
    void applyStates(int index);
    void setOptionOn(int index);

    void onCommand(int index, WORD notification);
    void onCheckBoxClicked(const Control& control);
    void onOptionButtonClicked(int index);
    HBRUSH onControlColor(HDC dc, HWND control);

    ViewEvents* events_ = nullptr;
    std::unique_ptr<FileDialogRunner> dialogs_ = makeCommonFileDialogs();
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    HWND window_ = nullptr;
    std::vector<Control> controls_;
    std::unique_ptr<WindowFonts> fonts_;
    HBRUSH statusBackground_ = nullptr;
    int programmaticChanges_ = 0;
    bool busy_ = false;
};

// Runs the window's messages until it is destroyed or the thread gets WM_QUIT; Tab and the arrow keys move
// between its controls. Gives the exit code of WM_QUIT, 0 otherwise.
int runMessageLoop(HWND window);

}  // namespace cdr::win32
