#include <algorithm>

#include "presenter/control_names.h"
#include "settings/sentinel_field.h"
#include "win32/custom_drawn_buttons.h"
#include "win32/wide_text.h"
#include "win32/win32_main_view.h"
#include "win32/window_dpi.h"

namespace cdr::win32 {

namespace {

// The captions drawn in bold Gulim, and their sizes in points.
struct EmphasisedCaption {
    ControlId control;
    double pointSize;
};
constexpr EmphasisedCaption kEmphasisedCaptions[] = {
    {"cmdOnce", 9.0}, {"chkStart", 9.0}, {"chkEnd", 9.0}, {"txtMsg", 9.75}};

constexpr ControlId kStatusLabel = "txtMsg";
constexpr ControlId kSentinelBoxes[] = {"chkStart", "chkEnd"};
constexpr COLORREF kStatusText = RGB(192, 0, 0);
constexpr COLORREF kStatusBackground = RGB(224, 224, 224);

struct ButtonFace {
    ControlId control;
    COLORREF colour;
};
constexpr COLORREF kCommandFace = RGB(227, 228, 244);
constexpr ButtonFace kButtonFaces[] = {{"cmdRead", kCommandFace},
                                       {"cmdWrite", kCommandFace},
                                       {"cmdVersion", kCommandFace},
                                       {"cmdDefault", RGB(253, 219, 219)}};

}  // namespace

// The fonts at the window's DPI; those of an earlier DPI are released once no control uses them.
void Win32MainView::applyFonts() {
    auto fonts = std::make_unique<WindowFonts>(dpi_);
    for (const Control& control : controls_) {
        if (control.handle != nullptr) {
            SendMessageW(control.handle, WM_SETFONT, reinterpret_cast<WPARAM>(fonts->dialogFont()), FALSE);
        }
    }
    for (const EmphasisedCaption& caption : kEmphasisedCaptions) {
        SendMessageW(control(caption.control), WM_SETFONT,
                     reinterpret_cast<WPARAM>(fonts->boldGulim(caption.pointSize)), FALSE);
    }
    fonts_ = std::move(fonts);
}

// Both sentinel frames have the labels "Track1" to "Track3", and a field's label stands after it: assistive
// technology would name two fields alike, or wrongly. Each field is named by its whole caption ("Track Start
// Sentinel, Track1") and each frame by the check box on its edge.
void Win32MainView::nameSentinelFields() {
    for (std::size_t i = 0; i < kTrackCount; ++i) {
        const int track = static_cast<int>(i);
        annotations_.setName(control(kTxtSS[i]), toWide(fieldCaption({SentinelKind::Start, track})));
        annotations_.setName(control(kTxtES[i]), toWide(fieldCaption({SentinelKind::End, track})));
    }
    annotations_.setName(control("Frame3"), L"Track Start Sentinel");
    annotations_.setName(control("Frame4"), L"Track End Sentinel");
}

// The status label in dark red on light grey.
HBRUSH Win32MainView::onControlColor(HDC dc, HWND handle) {
    const int index = findByHandle(handle);
    if (index < 0) {
        return nullptr;
    }
    const ControlId id = ControlId::at(static_cast<std::size_t>(index));
    if (id == kStatusLabel) {
        SetTextColor(dc, kStatusText);
        SetBkColor(dc, kStatusBackground);
        return statusBackground_;
    }
    return nullptr;
}

// The command buttons on their coloured faces; the sentinel check boxes' captions in the highlight colour while
// enabled, greyed while not.
LRESULT Win32MainView::onCustomDraw(const NMCUSTOMDRAW& draw) {
    const int index = findByHandle(draw.hdr.hwndFrom);
    if (draw.dwDrawStage != CDDS_PREPAINT || index < 0) {
        return CDRF_DODEFAULT;
    }
    const ControlId id = ControlId::at(static_cast<std::size_t>(index));
    if (const auto* face = std::ranges::find(kButtonFaces, id, &ButtonFace::control); face != std::end(kButtonFaces)) {
        drawColouredPushButton(draw, face->colour);
        return CDRF_SKIPDEFAULT;
    }
    if (std::ranges::find(kSentinelBoxes, id) != std::end(kSentinelBoxes)) {
        drawColouredCheckBox(draw, GetSysColor(COLOR_HIGHLIGHT), systemMetric(SM_CXMENUCHECK, dpi_));
        return CDRF_SKIPDEFAULT;
    }
    return CDRF_DODEFAULT;
}

}  // namespace cdr::win32
