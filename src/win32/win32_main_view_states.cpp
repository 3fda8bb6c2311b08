#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "win32/wide_text.h"
#include "win32/win32_main_view.h"

namespace cdr::win32 {

namespace {

using enum ControlKind;

WPARAM buttonState(CheckState state) {
    constexpr WPARAM kButtonStates[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
    return kButtonStates[std::clamp(state, kUnchecked, kGrayed)];
}

}  // namespace

void Win32MainView::showWindow() {
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
}

void Win32MainView::setText(ControlId id, std::u16string_view text) {
    const HWND handle = control(id);
    if (handle == nullptr) {
        return;
    }
    std::wstring wide = toWide(text);
    if (id.spec().kind == TextField) {
        // As typing would: the field keeps no more than its limit.
        wide.resize(std::min<std::size_t>(wide.size(), SendMessageW(handle, EM_GETLIMITTEXT, 0, 0)));
    }
    const ProgrammaticChange change(*this);
    SetWindowTextW(handle, wide.c_str());
}

// The presenter keeps an option group's exclusivity: turning an option on here touches no other.
void Win32MainView::setCheck(ControlId id, CheckState state) {
    Control& control = at(id);
    if ((control.spec->kind != CheckBox && control.spec->kind != OptionButton) || state < kUnchecked ||
        state > kGrayed) {
        return;
    }
    control.shownCheck = state;
    const ProgrammaticChange change(*this);
    SendMessageW(control.handle, BM_SETCHECK, buttonState(state), 0);
}

void Win32MainView::setEnabled(ControlId id, bool enabled) {
    at(id).enabled = enabled;
    applyStates(static_cast<int>(id.index()));
}

void Win32MainView::setVisible(ControlId id, bool visible) {
    at(id).visible = visible;
    applyStates(static_cast<int>(id.index()));
}

void Win32MainView::setTabStop(ControlId id, bool tabStop) {
    const HWND handle = control(id);
    if (handle == nullptr) {
        return;
    }
    const LONG_PTR style = GetWindowLongPtrW(handle, GWL_STYLE);
    SetWindowLongPtrW(handle, GWL_STYLE, tabStop ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP));
}

void Win32MainView::setItems(ControlId id, const std::vector<std::u16string>& items) {
    const Control& control = at(id);
    const bool list = control.spec->kind == ListBox;
    if (control.handle == nullptr || (!list && control.spec->kind != DropDownList)) {
        return;
    }
    const ProgrammaticChange change(*this);
    SendMessageW(control.handle, list ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
    for (const std::u16string& item : items) {
        const std::wstring wide = toWide(item);
        SendMessageW(control.handle, list ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
}

void Win32MainView::setSelectedIndex(ControlId id, int index) {
    const Control& control = at(id);
    const ProgrammaticChange change(*this);
    if (control.spec->kind == ListBox) {
        SendMessageW(control.handle, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    } else if (control.spec->kind == DropDownList) {
        SendMessageW(control.handle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

// The label shows the fitted text; its tooltip and accessible description the whole.
void Win32MainView::setStatus(std::u16string_view shown, std::u16string_view whole) {
    setText("txtMsg", shown);
    statusTipText_ = toWide(whole);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control("txtMsg"));
    tool.lpszText = statusTipText_.data();
    SendMessageW(statusTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    annotations_.setDescription(control("txtMsg"), statusTipText_);
}

int Win32MainView::textWidth(ControlId id, std::u16string_view text) const {
    const HWND handle = control(id);
    if (handle == nullptr) {
        return 0;
    }
    const std::wstring wide = toWide(text);
    HDC dc = GetDC(handle);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(handle, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(handle, dc);
    return size.cx;
}

int Win32MainView::textRoom(ControlId id) const {
    RECT client{};
    GetClientRect(control(id), &client);
    return client.right;
}

void Win32MainView::appendItem(ControlId id, std::u16string_view item) {
    const Control& control = at(id);
    if (control.handle == nullptr || control.spec->kind != ListBox) {
        return;
    }
    const std::wstring wide = toWide(item);
    const ProgrammaticChange change(*this);
    SendMessageW(control.handle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

std::optional<ControlId> Win32MainView::focusedControl() const {
    const int index = findByHandle(GetFocus());
    if (index < 0) {
        return std::nullopt;
    }
    return ControlId::at(static_cast<std::size_t>(index));
}

void Win32MainView::setFocus(ControlId id) {
    if (const HWND handle = control(id)) {
        SetFocus(handle);
    }
}

void Win32MainView::setTimer(ControlId id, bool armed, int intervalMs) {
    Control& control = at(id);
    if (control.spec->kind != Timer || window_ == nullptr) {
        return;
    }
    const auto timer = static_cast<UINT_PTR>(controlId(id));
    control.armed = armed;
    if (armed) {
        SetTimer(window_, timer, static_cast<UINT>(std::max(intervalMs, 0)), nullptr);
    } else {
        KillTimer(window_, timer);
    }
}

// The cursor changes at once: while the presenter waits on the reader, the window takes no messages. When the
// wait ends, the keys and mouse buttons that queued up meanwhile are dropped.
void Win32MainView::setBusy(bool busy) {
    busy_ = busy;
    if (!busy) {
        MSG dropped{};
        while (PeekMessageW(&dropped, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) ||
               PeekMessageW(&dropped, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
        }
    }
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

std::optional<std::string> Win32MainView::chooseSettingsFile(FileDialogKind kind) {
    const std::optional<std::wstring> path = dialogs_->run(window_, settingsFileDialogRequest(kind, programFolder()));
    if (!path) {
        return std::nullopt;
    }
    return toUtf8(*path);
}

}  // namespace cdr::win32
