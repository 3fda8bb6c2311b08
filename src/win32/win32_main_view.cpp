#include "win32/win32_main_view.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <system_error>

#include "presenter/control_names.h"
#include "win32/wide_text.h"
#include "win32/window_dpi.h"

namespace cdr::win32 {

namespace {

using enum ControlKind;

constexpr const wchar_t* kWindowClass = L"CdrMainWindow";
constexpr const wchar_t* kWindowCaption = L"VELK CDR55P4W  V1.1";
constexpr const wchar_t* kIconResource = L"MAINICON";
constexpr int kClientWidthTwips = 8985;
constexpr int kClientHeightTwips = 4995;
// Without WS_CLIPCHILDREN: group boxes leave their inside unpainted, so the window's background shows there.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr ControlId kStatusLabel = "txtMsg";

bool isContainer(ControlKind kind) { return kind == GroupBox || kind == EdgeCaptionGroupBox || kind == Container; }

bool hasWindow(ControlKind kind) { return kind != Timer && kind != FileDialog; }

// A control's place among the controls stacked in tab order: by its tab index, and a sentinel field's label just
// before its field, where the system looks for the label that names a field.
int stackingKey(ControlId id) {
    for (std::size_t i = 0; i < kTrackCount; ++i) {
        if (id == kStartLabels[i]) return 2 * kTxtSS[i].spec().tabIndex - 1;
        if (id == kEndLabels[i]) return 2 * kTxtES[i].spec().tabIndex - 1;
    }
    return 2 * id.spec().tabIndex;
}

struct WindowKind {
    const wchar_t* windowClass;
    DWORD style;
    DWORD extendedStyle;
};

WindowKind windowKind(ControlId id) {
    switch (id.spec().kind) {
    case GroupBox:
    case EdgeCaptionGroupBox:
        return {L"BUTTON", BS_GROUPBOX, 0};
    case Container:
        return {L"STATIC", SS_LEFT, 0};
    case Label:
        if (id == kStatusLabel) {
            // SS_NOTIFY: the label takes the mouse, so that its tooltip shows.
            return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_CENTERIMAGE | SS_NOTIFY, 0};
        }
        return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case TextField:
        return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case CheckBox:
        return {L"BUTTON", BS_3STATE | WS_TABSTOP, 0};
    case OptionButton:
        return {L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0};
    case Button:
        return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case DropDownList:
        return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ListBox:
        return {L"LISTBOX", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 0};
    case Timer:
    case FileDialog:
        break;
    }
    return {nullptr, 0, 0};
}

[[noreturn]] void throwLastError(const std::string& step) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), step);
}

void registerWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(instance, kWindowClass, &windowClass)) {
        return;
    }
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    // The program's icon, when the program carries it (window_icon.rc).
    windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, kIconResource, IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                      GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    windowClass.hIconSm =
        static_cast<HICON>(LoadImageW(instance, kIconResource, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    if (RegisterClassExW(&windowClass) == 0) {
        throwLastError("RegisterClassExW");
    }
}

}  // namespace

Win32MainView::Win32MainView() : statusBackground_(CreateSolidBrush(RGB(224, 224, 224))) {
    // The destructor does not run for a view that failed to build: what it would release is released here.
    try {
        createWindow();
        createControls();
        applyFonts();
        createStatusTip();
        nameSentinelFields();
    } catch (...) {
        if (window_ != nullptr) {
            DestroyWindow(window_);
        }
        DeleteObject(statusBackground_);
        throw;
    }
}

Win32MainView::Win32MainView(ViewEvents& events) : Win32MainView() { events_ = &events; }

Win32MainView::~Win32MainView() {
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    DeleteObject(statusBackground_);
}

int Win32MainView::findByHandle(HWND handle) const {
    if (handle == nullptr) {
        return -1;
    }
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i].handle == handle) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The window is sized once it is on its monitor, at that monitor's DPI.
void Win32MainView::createWindow() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    registerWindowClass(instance, &windowProcedure);
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, kWindowCaption, kWindowStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (window_ == nullptr) {
        throwLastError("CreateWindowExW main window");
    }
    // Messages reach the view from here on; those of the window's creation go to DefWindowProcW.
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    dpi_ = windowDpi(window_);
    setClientSize(kClientWidthTwips, kClientHeightTwips);
}

// The frame as it is now (Windows scales it with the window's DPI or not) around a client area of the size asked.
void Win32MainView::setClientSize(int widthTwips, int heightTwips) {
    clientTwips_ = {widthTwips, heightTwips};
    RECT frame{};
    RECT client{};
    GetWindowRect(window_, &frame);
    GetClientRect(window_, &client);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left - client.right + pixels(widthTwips),
                 frame.bottom - frame.top - client.bottom + pixels(heightTwips),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Every control is a child of the window, so that all notifications reach the window, and is stacked in tab
// order: the controls by their tab indices (each sentinel field's label just above its field), then the containers,
// inner ones above outer ones, so that a group box never paints over what lies in it. Tab follows that stacking; an
// option button that follows one of its own group continues that group.
void Win32MainView::createControls() {
    for (const ControlSpec& spec : mainWindowControls()) {
        Control control;
        control.spec = &spec;
        control.rect = {spec.left, spec.top, spec.width, spec.height};
        control.visible = !spec.hidden;
        if (const std::optional<ControlId> container = containerOf(ControlId::of(spec))) {
            control.container = static_cast<int>(container->index());
        }
        controls_.push_back(control);
    }
    auto depth = [this](std::size_t index) {
        int levels = 0;
        for (int at = controls_[index].container; at >= 0; at = controls_[static_cast<std::size_t>(at)].container) {
            ++levels;
        }
        return levels;
    };
    std::vector<std::size_t> stacking;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (hasWindow(controls_[i].spec->kind)) {
            stacking.push_back(i);
        }
    }
    std::stable_sort(stacking.begin(), stacking.end(), [&](std::size_t a, std::size_t b) {
        const bool aContains = isContainer(controls_[a].spec->kind);
        const bool bContains = isContainer(controls_[b].spec->kind);
        if (aContains != bContains) {
            return bContains;
        }
        if (aContains && depth(a) != depth(b)) {
            return depth(a) > depth(b);
        }
        return stackingKey(ControlId::at(a)) < stackingKey(ControlId::at(b));
    });

    HINSTANCE instance = GetModuleHandleW(nullptr);
    const ControlSpec* previous = nullptr;
    for (std::size_t index : stacking) {
        Control& control = controls_[index];
        const ControlSpec& spec = *control.spec;
        const WindowKind kind = windowKind(ControlId::at(index));
        const bool continuesGroup = spec.kind == OptionButton && previous != nullptr &&
                                    previous->kind == OptionButton &&
                                    std::strcmp(previous->container, spec.container) == 0;
        const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style | (continuesGroup ? 0 : WS_GROUP);
        const std::wstring caption = spec.kind == EdgeCaptionGroupBox ? L"" : toWide(std::string_view(spec.caption));
        const POINT at = origin(control);
        control.handle =
            CreateWindowExW(kind.extendedStyle, kind.windowClass, caption.c_str(), style, at.x, at.y,
                            pixels(spec.width), pixels(spec.height), window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(index))),
                            instance, nullptr);
        if (control.handle == nullptr) {
            throwLastError(std::string("CreateWindowExW ") + spec.name);
        }
        SetWindowPos(control.handle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (isSentinelField(ControlId::at(index))) {
            SendMessageW(control.handle, EM_LIMITTEXT, 1, 0);
        }
        previous = &spec;
    }
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i].container < 0) {
            applyStates(static_cast<int>(i));
        }
    }
}

// The status label's tooltip holds its whole text, which the label may show shortened.
void Win32MainView::createStatusTip() {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    statusTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    if (statusTip_ == nullptr) {
        throwLastError("CreateWindowExW status tooltip");
    }
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control(kStatusLabel));
    tool.lpszText = statusTipText_.data();
    SendMessageW(statusTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace cdr::win32
