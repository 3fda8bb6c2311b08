#pragma once

#include <windows.h>

#include <string>

namespace cdr::win32 {

// The caption or text of a window, as WM_GETTEXT gives it.
inline std::wstring windowText(HWND window) {
    wchar_t buffer[256] = {};
    SendMessageW(window, WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

}  // namespace cdr::win32
