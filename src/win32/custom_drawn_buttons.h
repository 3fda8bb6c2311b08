#pragma once

#include <windows.h>

#include <commctrl.h>

namespace cdr::win32 {

// Buttons drawn in colours of the window's own, in answer to their NM_CUSTOMDRAW (CDDS_PREPAINT): with the visual
// styles on, a push button's face and a check box's caption would otherwise take the theme's colours. Both keep
// the theme's frame and check mark where a theme is on, the classic ones otherwise. The caption is the button's
// window text in its font; a disabled caption is drawn in the grey-text colour.

// A push button whose face, inside its frame, is filled with the given colour.
void drawColouredPushButton(const NMCUSTOMDRAW& draw, COLORREF face);

// A check box whose caption, beside its check mark of the given width, is drawn in the given colour.
void drawColouredCheckBox(const NMCUSTOMDRAW& draw, COLORREF caption, int markWidth);

}  // namespace cdr::win32
