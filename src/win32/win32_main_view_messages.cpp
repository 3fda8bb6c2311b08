#include <windows.h>

#include <commctrl.h>

#include <climits>

#include "win32/wide_text.h"
#include "win32/win32_main_view.h"

namespace cdr::win32 {

namespace {

using enum ControlKind;

CheckState checkStateOf(LRESULT buttonState) {
    switch (buttonState) {
    case BST_CHECKED:
        return kChecked;
    case BST_INDETERMINATE:
        return kGrayed;
    default:
        return kUnchecked;
    }
}

bool isArrowKey(WPARAM key) { return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT; }

}  // namespace

LRESULT CALLBACK Win32MainView::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* view = reinterpret_cast<Win32MainView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (view == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return view->handleMessage(message, wParam, lParam);
}

LRESULT Win32MainView::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = window_;
    switch (message) {
    case WM_COMMAND: {
        const int index = LOWORD(wParam) - kFirstControlId;
        if (lParam != 0 && index >= 0 && index < static_cast<int>(controls_.size()) &&
            controls_[static_cast<std::size_t>(index)].handle == reinterpret_cast<HWND>(lParam)) {
            onCommand(index, HIWORD(wParam));
            return 0;
        }
        break;
    }
    case WM_TIMER: {
        const auto index = static_cast<std::size_t>(wParam) - kFirstControlId;
        if (index < controls_.size() && controls_[index].spec->kind == Timer && controls_[index].armed &&
            events_ != nullptr) {
            events_->timerElapsed(ControlId::at(index));
        }
        return 0;
    }
    case kArrowKeyMessage:
        return onArrowKey(wParam, reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush = onControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
            return reinterpret_cast<LRESULT>(brush);
        }
        break;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.code == NM_CUSTOMDRAW) {
            return onCustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(lParam));
        }
        break;
    }
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_GETMINMAXINFO:
        // The diagnostic panel may make the window wider than the screen; the system would cut it to the screen.
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMaxTrackSize = {SHRT_MAX, SHRT_MAX};
        return 0;
    case WM_SETCURSOR:
        if (busy_) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_ACTIVATE:
        // The focus still lies where the user left it.
        if (LOWORD(wParam) == WA_INACTIVE && events_ != nullptr) {
            events_->windowDeactivated();
        }
        break;
    case WM_SETFOCUS:
        if (events_ != nullptr) {
            events_->windowActivated();
        } else if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) {
            SetFocus(first);
        }
        return 0;
    case WM_CLOSE:
        if (events_ != nullptr) {
            events_->closing();
        }
        DestroyWindow(window);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        for (Control& control : controls_) {
            control.handle = nullptr;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// WM_SETTEXT on a field raises EN_CHANGE as typing does, so UI Automation's Value pattern and pastes are reported.
void Win32MainView::onCommand(int index, WORD notification) {
    Control& control = controls_[static_cast<std::size_t>(index)];
    const ControlId id = ControlId::at(static_cast<std::size_t>(index));
    ViewEvents* events = listener();
    switch (control.spec->kind) {
    case Button:
        if (notification == BN_CLICKED && events != nullptr) {
            events->clicked(id);
        }
        break;
    case CheckBox:
        if (notification == BN_CLICKED) {
            onCheckBoxClicked(control);
        }
        break;
    case OptionButton:
        if (notification == BN_CLICKED) {
            onOptionButtonClicked(control);
        }
        break;
    case TextField:
        if (notification == EN_CHANGE && events != nullptr) {
            const int length = GetWindowTextLengthW(control.handle);
            std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
            text.resize(static_cast<std::size_t>(GetWindowTextW(control.handle, text.data(), length + 1)));
            events->textEdited(id, toUtf16(text));
        }
        break;
    case DropDownList:
        if (notification == CBN_SELCHANGE && events != nullptr) {
            events->selectedIndexChanged(id, static_cast<int>(SendMessageW(control.handle, CB_GETCURSEL, 0, 0)));
        }
        break;
    default:
        break;
    }
}

// A click ticks a box that is clear or grayed and clears a ticked one. A box that already shows another state than
// the view last gave it was set from outside (UI Automation's Toggle sends BM_SETCHECK, then BN_CLICKED): that
// state is what is reported.
void Win32MainView::onCheckBoxClicked(Control& control) {
    const CheckState shown = checkStateOf(SendMessageW(control.handle, BM_GETCHECK, 0, 0));
    CheckState state = shown;
    if (shown == control.shownCheck) {
        state = shown == kChecked ? kUnchecked : kChecked;
        SendMessageW(control.handle, BM_SETCHECK, state == kChecked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    control.shownCheck = state;
    if (ViewEvents* events = listener()) {
        events->checkChanged(ControlId::of(*control.spec), state);
    }
}

// A click turns an option on; a click on an option that is on changes nothing. The presenter turns the others of
// its group off.
void Win32MainView::onOptionButtonClicked(Control& control) {
    if (control.shownCheck == kChecked) {
        return;
    }
    SendMessageW(control.handle, BM_SETCHECK, BST_CHECKED, 0);
    control.shownCheck = kChecked;
    if (ViewEvents* events = listener()) {
        events->checkChanged(ControlId::of(*control.spec), kChecked);
    }
}

// The arrow keys on buttons, check boxes and option buttons are the presenter's to handle; the dialog manager
// would move the focus without selecting.
bool Win32MainView::onArrowKey(WPARAM key, HWND target) {
    const int index = findByHandle(target);
    if (index < 0 || events_ == nullptr) {
        return false;
    }
    const ControlKind kind = controls_[static_cast<std::size_t>(index)].spec->kind;
    if (kind != Button && kind != CheckBox && kind != OptionButton) {
        return false;
    }
    events_->arrowKey(ControlId::at(static_cast<std::size_t>(index)), key == VK_DOWN || key == VK_RIGHT);
    return true;
}

void dispatchWindowMessage(HWND window, MSG& message) {
    if (message.message == WM_KEYDOWN && isArrowKey(message.wParam) &&
        SendMessageW(window, Win32MainView::kArrowKeyMessage, message.wParam, reinterpret_cast<LPARAM>(message.hwnd)) !=
            0) {
        return;
    }
    if (!IsDialogMessageW(window, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int runMessageLoop(HWND window) {
    MSG message{};
    while (IsWindow(window) && GetMessageW(&message, nullptr, 0, 0) > 0) {
        dispatchWindowMessage(window, message);
    }
    return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

}  // namespace cdr::win32
