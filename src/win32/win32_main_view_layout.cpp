#include <algorithm>

#include "win32/wide_text.h"
#include "win32/window_dpi.h"
#include "win32/win32_main_view.h"

namespace cdr::win32 {

namespace {

using enum ControlKind;

// The room a button leaves round its check mark and caption besides the mark itself (the margins, the gap, the
// focus frame), and the room a disabled caption's relief takes, in pixels at 96 DPI.
constexpr int kCheckGap = 20;
constexpr int kReliefRoom = 2;

RECT windowRect(HWND window, HWND parent) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int captionAdvance(HWND control, const std::wstring& caption) {
    HDC dc = GetDC(control);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size.cx;
}

}  // namespace

POINT Win32MainView::origin(const Control& control) const {
    POINT point{0, 0};
    for (const Control* at = &control; at != nullptr;
         at = at->container < 0 ? nullptr : &controls_[static_cast<std::size_t>(at->container)]) {
        point.x += at->rect.left;
        point.y += at->rect.top;
    }
    return {pixels(point.x), pixels(point.y)};
}

void Win32MainView::place(ControlId id, TwipsRect rect) {
    at(id).rect = rect;
    moveWithContents(static_cast<int>(id.index()));
}

// Moves a control to where its rectangle and its containers put it, and what it holds with it.
void Win32MainView::moveWithContents(int index) {
    const Control& control = controls_[static_cast<std::size_t>(index)];
    if (control.handle != nullptr) {
        const POINT at = origin(control);
        SetWindowPos(control.handle, nullptr, at.x, at.y, pixels(control.rect.width), pixels(control.rect.height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i].container == index) {
            moveWithContents(static_cast<int>(i));
        }
    }
}

void Win32MainView::layOut() {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i].container < 0) {
            moveWithContents(static_cast<int>(i));
        }
    }
    fitCaptions();
}

// The suggested rectangle places the window; its client area is then made to hold the layout exactly, which the
// suggestion of a Windows that does not scale the frame would not.
void Win32MainView::onDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    applyFonts();
    layOut();
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    setClientSize(clientTwips_.cx, clientTwips_.cy);
    InvalidateRect(window_, nullptr, TRUE);
}

// A caption beside its own mark (labels, check boxes, option buttons) that the font makes wider than its control
// takes the free room to the right: up to the next control on its row or its container's edge.
void Win32MainView::fitCaptions() {
    for (Control& control : controls_) {
        const ControlKind kind = control.spec->kind;
        if (kind != Label && kind != CheckBox && kind != OptionButton) {
            continue;
        }
        std::wstring caption = toWide(std::string_view(control.spec->caption));
        caption.erase(caption.find_last_not_of(L' ') + 1);
        const int mark = kind == Label ? 0 : systemMetric(SM_CXMENUCHECK, dpi_) + MulDiv(kCheckGap, dpi_, 96);
        const int needed = captionAdvance(control.handle, caption) + mark + MulDiv(kReliefRoom, dpi_, 96);
        const RECT own = windowRect(control.handle, window_);
        if (needed <= own.right - own.left) {
            continue;
        }
        // A caption across its group box's top edge lies beside the group box, among the group box's neighbours.
        int row = control.container;
        if (control.rect.top < 0 && row >= 0) {
            row = controls_[static_cast<std::size_t>(row)].container;
        }
        LONG roomEnd = 0;
        if (row >= 0) {
            roomEnd = windowRect(controls_[static_cast<std::size_t>(row)].handle, window_).right -
                      systemMetric(SM_CXEDGE, dpi_);
        } else {
            RECT client{};
            GetClientRect(window_, &client);
            roomEnd = client.right;
        }
        for (const Control& other : controls_) {
            if (&other == &control || other.handle == nullptr ||
                (other.container != row && other.container != control.container)) {
                continue;
            }
            const RECT rect = windowRect(other.handle, window_);
            if (rect.top < own.bottom && rect.bottom > own.top && rect.left >= own.right) {
                roomEnd = std::min(roomEnd, rect.left);
            }
        }
        const LONG width =
            std::clamp<LONG>(needed, own.right - own.left, std::max(own.right - own.left, roomEnd - own.left));
        SetWindowPos(control.handle, nullptr, 0, 0, width, own.bottom - own.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool Win32MainView::effectivelyEnabled(int index) const {
    for (int at = index; at >= 0; at = controls_[static_cast<std::size_t>(at)].container) {
        if (!controls_[static_cast<std::size_t>(at)].enabled) {
            return false;
        }
    }
    return true;
}

bool Win32MainView::effectivelyVisible(int index) const {
    for (int at = index; at >= 0; at = controls_[static_cast<std::size_t>(at)].container) {
        if (!controls_[static_cast<std::size_t>(at)].visible) {
            return false;
        }
    }
    return true;
}

// Shows the control's own state as far as its containers allow, and passes the change on to what it contains.
void Win32MainView::applyStates(int index) {
    const Control& control = controls_[static_cast<std::size_t>(index)];
    if (control.handle != nullptr) {
        EnableWindow(control.handle, effectivelyEnabled(index));
        ShowWindow(control.handle, effectivelyVisible(index) ? SW_SHOWNA : SW_HIDE);
    }
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i].container == index) {
            applyStates(static_cast<int>(i));
        }
    }
}

}  // namespace cdr::win32
