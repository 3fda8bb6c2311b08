#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace cdr::win32 {

// The fonts of the window's controls, kept for the window's lifetime. Most controls use the dialog font (the
// system's message font); the emphasised captions name the Korean face Gulim, which is used where the system has
// it, and the dialog font's face otherwise.
class WindowFonts {
public:
    explicit WindowFonts(int dpi);
    ~WindowFonts();
    WindowFonts(const WindowFonts&) = delete;
    WindowFonts& operator=(const WindowFonts&) = delete;

    HFONT dialogFont() const { return dialogFont_; }
    // Gulim, bold, at the given size in points; without Gulim the dialog font in bold. The same font for the
    // same size.
    HFONT boldGulim(double pointSize);

private:
    int dpi_;
    LOGFONTW dialogFace_{};
    HFONT dialogFont_ = nullptr;
    bool ownsDialogFont_ = false;
    std::wstring gulimFace_;  // empty: the system has no Gulim
    std::vector<std::pair<double, HFONT>> boldFonts_;
};

}  // namespace cdr::win32
