#include "win32/custom_drawn_buttons.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <string>

namespace cdr::win32 {

namespace {

bool isDisabled(const NMCUSTOMDRAW& draw) {
    return (draw.uItemState & CDIS_DISABLED) != 0 || !IsWindowEnabled(draw.hdr.hwndFrom);
}

bool isPressed(HWND button) { return (SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }

bool showsFocus(const NMCUSTOMDRAW& draw) {
    return (draw.uItemState & CDIS_FOCUS) != 0 &&
           (SendMessageW(draw.hdr.hwndFrom, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

// Draws the button's caption in its font into the rectangle; gives the rectangle the caption took.
RECT drawCaption(const NMCUSTOMDRAW& draw, RECT area, COLORREF colour, UINT format) {
    const HWND button = draw.hdr.hwndFrom;
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(button)) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(GetWindowTextW(button, caption.data(), static_cast<int>(caption.size()))));
    const HGDIOBJ previousFont =
        SelectObject(draw.hdc, reinterpret_cast<HGDIOBJ>(SendMessageW(button, WM_GETFONT, 0, 0)));
    SetBkMode(draw.hdc, TRANSPARENT);
    SetTextColor(draw.hdc, colour);
    const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | format;
    RECT taken = area;
    DrawTextW(draw.hdc, caption.c_str(), static_cast<int>(caption.size()), &taken, flags | DT_CALCRECT);
    const int height = taken.bottom - taken.top;
    taken.top = area.top + (area.bottom - area.top - height) / 2;
    taken.bottom = taken.top + height;
    if ((format & DT_CENTER) != 0) {
        OffsetRect(&taken, (area.right - area.left - (taken.right - taken.left)) / 2, 0);
    }
    DrawTextW(draw.hdc, caption.c_str(), static_cast<int>(caption.size()), &area, flags);
    SelectObject(draw.hdc, previousFont);
    return taken;
}

}  // namespace

void drawColouredPushButton(const NMCUSTOMDRAW& draw, COLORREF face) {
    const HWND button = draw.hdr.hwndFrom;
    const bool disabled = isDisabled(draw);
    const bool pressed = isPressed(button);
    RECT frame = draw.rc;
    RECT inside = frame;
    if (HTHEME theme = OpenThemeData(button, L"BUTTON")) {
        int state = PBS_NORMAL;
        if (disabled) {
            state = PBS_DISABLED;
        } else if (pressed) {
            state = PBS_PRESSED;
        } else if ((draw.uItemState & CDIS_HOT) != 0) {
            state = PBS_HOT;
        } else if ((draw.uItemState & CDIS_DEFAULT) != 0) {
            state = PBS_DEFAULTED;
        }
        if (IsThemeBackgroundPartiallyTransparent(theme, BP_PUSHBUTTON, state)) {
            DrawThemeParentBackground(button, draw.hdc, &frame);
        }
        DrawThemeBackground(theme, draw.hdc, BP_PUSHBUTTON, state, &frame, nullptr);
        GetThemeBackgroundContentRect(theme, draw.hdc, BP_PUSHBUTTON, state, &frame, &inside);
        CloseThemeData(theme);
    } else {
        DrawFrameControl(draw.hdc, &frame, DFC_BUTTON,
                         DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0));
        InflateRect(&inside, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
    }
    HBRUSH brush = CreateSolidBrush(face);
    FillRect(draw.hdc, &inside, brush);
    DeleteObject(brush);
    drawCaption(draw, inside, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT), DT_CENTER);
    if (showsFocus(draw)) {
        InflateRect(&inside, -1, -1);
        DrawFocusRect(draw.hdc, &inside);
    }
}

void drawColouredCheckBox(const NMCUSTOMDRAW& draw, COLORREF caption, int markWidth) {
    const HWND button = draw.hdr.hwndFrom;
    const bool disabled = isDisabled(draw);
    const bool pressed = isPressed(button);
    const LRESULT check = SendMessageW(button, BM_GETCHECK, 0, 0);
    const RECT area = draw.rc;
    FillRect(draw.hdc, &area, GetSysColorBrush(COLOR_BTNFACE));
    const int markTop = area.top + (area.bottom - area.top - markWidth) / 2;
    RECT mark{area.left, markTop, area.left + markWidth, markTop + markWidth};
    if (HTHEME theme = OpenThemeData(button, L"BUTTON")) {
        int state = check == BST_CHECKED ? CBS_CHECKEDNORMAL
                                         : (check == BST_INDETERMINATE ? CBS_MIXEDNORMAL : CBS_UNCHECKEDNORMAL);
        if (disabled) {
            state += CBS_UNCHECKEDDISABLED - CBS_UNCHECKEDNORMAL;
        } else if (pressed) {
            state += CBS_UNCHECKEDPRESSED - CBS_UNCHECKEDNORMAL;
        } else if ((draw.uItemState & CDIS_HOT) != 0) {
            state += CBS_UNCHECKEDHOT - CBS_UNCHECKEDNORMAL;
        }
        DrawThemeBackground(theme, draw.hdc, BP_CHECKBOX, state, &mark, nullptr);
        CloseThemeData(theme);
    } else {
        UINT state = DFCS_BUTTONCHECK | (disabled ? DFCS_INACTIVE : 0) | (pressed ? DFCS_PUSHED : 0);
        if (check == BST_CHECKED) {
            state |= DFCS_CHECKED;
        } else if (check == BST_INDETERMINATE) {
            state = DFCS_BUTTON3STATE | DFCS_CHECKED | (state & ~DFCS_BUTTONCHECK);
        }
        DrawFrameControl(draw.hdc, &mark, DFC_BUTTON, state);
    }
    RECT text = area;
    text.left = mark.right + markWidth / 3;
    RECT taken = drawCaption(draw, text, disabled ? GetSysColor(COLOR_GRAYTEXT) : caption, DT_LEFT);
    if (showsFocus(draw)) {
        InflateRect(&taken, 1, 1);
        DrawFocusRect(draw.hdc, &taken);
    }
}

}  // namespace cdr::win32
