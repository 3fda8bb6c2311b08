// The Win32 window at the monitor's DPI, laid out again when Windows moves it to a monitor of another DPI, and its
// look under the visual styles.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "hid/sim/sim_hid_platform.h"
#include "presenter/caption_fit.h"
#include "presenter/control_table.h"
#include "presenter/main_presenter.h"
#include "win32/win32_main_view.h"

namespace cdr::win32 {
namespace {

using enum ControlKind;

RECT placeIn(HWND control, HWND window) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Every shown control lies inside the client area and inside its container's right and bottom edges, and overlaps
// none of the controls beside it in the same container.
void expectNothingOverlapsOrIsCut(const Win32MainView& view) {
    RECT client{};
    GetClientRect(view.window(), &client);
    const auto table = mainWindowControls();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const ControlId id = ControlId::at(i);
        const HWND handle = view.control(id);
        if (handle == nullptr || !IsWindowVisible(handle)) continue;
        const RECT rect = placeIn(handle, view.window());
        RECT inside{};
        EXPECT_TRUE(IntersectRect(&inside, &rect, &client) && EqualRect(&inside, &rect)) << id.name();
        const std::optional<ControlId> container = containerOf(id);
        if (container) {
            const RECT outer = placeIn(view.control(*container), view.window());
            EXPECT_LE(rect.right, outer.right) << id.name();
            EXPECT_LE(rect.bottom, outer.bottom) << id.name();
        }
        for (std::size_t j = i + 1; j < table.size(); ++j) {
            const ControlId other = ControlId::at(j);
            const HWND otherHandle = view.control(other);
            if (otherHandle == nullptr || !IsWindowVisible(otherHandle) || containerOf(other) != container) continue;
            const RECT otherRect = placeIn(otherHandle, view.window());
            RECT overlap{};
            EXPECT_FALSE(IntersectRect(&overlap, &rect, &otherRect)) << id.name() << " and " << other.name();
        }
    }
}

// Every shown caption the presenter fits by widening is whole on screen at the view's DPI, the sentinel boxes'
// captions disabled, as they start.
void expectEveryCaptionWhole(const Win32MainView& view, const MainPresenter& presenter, int dpi) {
    for (const ControlSpec& spec : mainWindowControls()) {
        const ControlId id = ControlId::of(spec);
        if (!widensToCaption(spec.kind) || *spec.caption == '\0' || !IsWindowVisible(view.control(id))) continue;
        RECT rect{};
        GetWindowRect(view.control(id), &rect);
        EXPECT_LE(MulDiv(view.captionWidth(id, presenter.control(id).text), dpi, 1440), rect.right - rect.left)
            << spec.name << " at " << dpi << " DPI";
    }
}

TEST(Win32WindowDpiTest, LaidOutAtTheMonitorsDpiAndAgainAt144NothingOverlapsOrIsCut) {
    hid::sim::SimHidPlatform platform;
    Win32MainView view;
    MainPresenter presenter{view, platform};
    view.setEvents(presenter);
    expectNothingOverlapsOrIsCut(view);
    expectEveryCaptionWhole(view, presenter, 96);
    const int captionWidth = view.textWidth("cmdRead", u"Read Setting Config");

    RECT frame{};
    GetWindowRect(view.window(), &frame);
    RECT suggested{frame.left, frame.top, frame.left + MulDiv(frame.right - frame.left, 3, 2),
                   frame.top + MulDiv(frame.bottom - frame.top, 3, 2)};
    SendMessageW(view.window(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT client{};
    GetClientRect(view.window(), &client);
    EXPECT_EQ(client.right, MulDiv(8985, 144, 1440));
    EXPECT_EQ(client.bottom, MulDiv(4995, 144, 1440));
    expectNothingOverlapsOrIsCut(view);
    expectEveryCaptionWhole(view, presenter, 144);
    // The fonts were made again for 144 DPI: a caption is about half as wide again.
    EXPECT_GE(view.textWidth("cmdRead", u"Read Setting Config"), captionWidth * 4 / 3);
}

struct FaceCase {
    ControlId button;
    COLORREF face;
};

class Win32ButtonFaceTest : public ::testing::TestWithParam<FaceCase> {};

// The button paints itself into a bitmap; the custom draw fills its face, left of the centred caption.
TEST_P(Win32ButtonFaceTest, TheButtonsFaceHasItsColour) {
    Win32MainView view;
    const HWND button = view.control(GetParam().button);
    RECT rect{};
    GetClientRect(button, &rect);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, rect.right, rect.bottom);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    EXPECT_EQ(GetPixel(dc, rect.right / 10, rect.bottom / 2), GetParam().face);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

INSTANTIATE_TEST_SUITE_P(CommandsAndFactoryReset, Win32ButtonFaceTest,
                         ::testing::Values(FaceCase{"cmdRead", RGB(227, 228, 244)},
                                           FaceCase{"cmdVersion", RGB(227, 228, 244)},
                                           FaceCase{"cmdDefault", RGB(253, 219, 219)}));

}  // namespace
}  // namespace cdr::win32
