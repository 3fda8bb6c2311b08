#include <algorithm>

#include "win32/wide_text.h"
#include "win32/window_dpi.h"
#include "win32/win32_main_view.h"

namespace cdr::win32 {

namespace {

using enum ControlKind;

// The room a button leaves round its check mark and caption besides the mark itself (the margins, the gap, the
// focus frame), the room a group box leaves each side of its title, and the room a disabled caption's relief takes,
// in pixels at 96 DPI.
constexpr int kCheckGap = 20;
constexpr int kGroupTitleInset = 8;
constexpr int kReliefRoom = 2;

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
}

// The suggested rectangle places the window; its client area is then made to hold the layout exactly, which the
// suggestion of a Windows that does not scale the frame would not. The presenter then fits what it fitted to the
// old measures again.
void Win32MainView::onDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    applyFonts();
    layOut();
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    setClientSize(clientTwips_.cx, clientTwips_.cy);
    if (events_ != nullptr) {
        events_->metricsChanged();
    }
    InvalidateRect(window_, nullptr, TRUE);
}

int Win32MainView::captionWidth(ControlId id, std::u16string_view caption) const {
    if (control(id) == nullptr) {
        return 0;
    }
    int beside = MulDiv(kReliefRoom, dpi_, 96);
    switch (id.spec().kind) {
    case CheckBox:
    case OptionButton:
        beside += systemMetric(SM_CXMENUCHECK, dpi_) + MulDiv(kCheckGap, dpi_, 96);
        break;
    case GroupBox:
        beside += 2 * MulDiv(kGroupTitleInset, dpi_, 96);
        break;
    default:
        break;
    }
    // A trailing blank takes no room on screen.
    const std::u16string_view shown = caption.substr(0, caption.find_last_not_of(u' ') + 1);
    const int width = textWidth(id, shown) + beside;
    return (width * kTwipsPerInch + dpi_ - 1) / dpi_;
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
