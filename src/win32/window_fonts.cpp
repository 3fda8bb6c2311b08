#include "win32/window_fonts.h"

#include <cwchar>

#include "win32/window_dpi.h"

namespace cdr::win32 {

namespace {

// Gulim by its Korean name, which Korean systems list, and by its Latin one.
constexpr const wchar_t* kGulimNames[] = {L"\uAD74\uB9BC", L"Gulim"};

int CALLBACK noteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool systemHasFace(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, noteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

std::wstring gulimFace() {
    for (const wchar_t* name : kGulimNames) {
        if (systemHasFace(name)) {
            return name;
        }
    }
    return {};
}

}  // namespace

WindowFonts::WindowFonts(int dpi) : dpi_(dpi), gulimFace_(gulimFace()) {
    dialogFace_ = messageFont(dpi);
    dialogFont_ = CreateFontIndirectW(&dialogFace_);
    ownsDialogFont_ = dialogFont_ != nullptr;
    if (dialogFont_ == nullptr) {
        dialogFont_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        GetObjectW(dialogFont_, sizeof dialogFace_, &dialogFace_);
    }
}

WindowFonts::~WindowFonts() {
    for (const auto& [size, font] : boldFonts_) {
        DeleteObject(font);
    }
    if (ownsDialogFont_) {
        DeleteObject(dialogFont_);
    }
}

HFONT WindowFonts::boldGulim(double pointSize) {
    for (const auto& [size, font] : boldFonts_) {
        if (size == pointSize) {
            return font;
        }
    }
    // The captions were laid out for Gulim's narrow letters: another face keeps the dialog font's size, at which
    // they fit their controls.
    LOGFONTW face = dialogFace_;
    if (!gulimFace_.empty()) {
        constexpr int kHundredthsPerPoint = 100;
        constexpr int kPointsPerInch = 72;
        face = LOGFONTW{};
        std::wcsncpy(face.lfFaceName, gulimFace_.c_str(), LF_FACESIZE - 1);
        face.lfCharSet = HANGUL_CHARSET;
        face.lfHeight = -MulDiv(static_cast<int>(pointSize * kHundredthsPerPoint + 0.5), dpi_,
                                kPointsPerInch * kHundredthsPerPoint);
    }
    face.lfWeight = FW_BOLD;
    HFONT font = CreateFontIndirectW(&face);
    if (font == nullptr) {
        return dialogFont_;
    }
    boldFonts_.emplace_back(pointSize, font);
    return font;
}

}  // namespace cdr::win32
