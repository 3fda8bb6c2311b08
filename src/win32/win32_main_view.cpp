#include "win32/win32_main_view.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "presenter/control_names.h"
#include "win32/wide_text.h"

namespace cdr::win32 {

namespace {

using enum ControlKind;

constexpr const wchar_t* kWindowClass = L"CdrMainWindow";
constexpr const wchar_t* kWindowCaption = L"VELK CDR55P4W  V1.1";
constexpr const wchar_t* kIconResource = L"MAINICON";
constexpr int kClientWidthTwips = 8985;
constexpr int kClientHeightTwips = 4995;
constexpr int kTwipsPerInch = 1440;
// Without WS_CLIPCHILDREN: group boxes leave their inside unpainted, so the window's background shows there.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The captions drawn in bold Gulim, and their sizes in points.
struct EmphasisedCaption {
    const char* control;
    double pointSize;
};
constexpr EmphasisedCaption kEmphasisedCaptions[] = {
    {"cmdOnce", 9.0}, {"chkStart", 9.0}, {"chkEnd", 9.0}, {"txtMsg", 9.75}};

constexpr const char* kStatusLabel = "txtMsg";
constexpr const char* kSentinelBoxes[] = {"chkStart", "chkEnd"};
constexpr COLORREF kStatusText = RGB(192, 0, 0);
constexpr COLORREF kStatusBackground = RGB(224, 224, 224);

bool isContainer(ControlKind kind) { return kind == GroupBox || kind == EdgeCaptionGroupBox || kind == Container; }

bool hasWindow(ControlKind kind) { return kind != Timer && kind != FileDialog; }

struct WindowKind {
    const wchar_t* windowClass;
    DWORD style;
    DWORD extendedStyle;
};

WindowKind windowKind(const ControlSpec& spec) {
    switch (spec.kind) {
    case GroupBox:
    case EdgeCaptionGroupBox:
        return {L"BUTTON", BS_GROUPBOX, 0};
    case Container:
        return {L"STATIC", SS_LEFT, 0};
    case Label:
        if (spec.name == std::string_view(kStatusLabel)) {
            return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_CENTERIMAGE, 0};
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

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
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

Win32MainView::Win32MainView() : dpi_(screenDpi()), statusBackground_(CreateSolidBrush(kStatusBackground)) {
    // The destructor does not run for a view that failed to build: what it would release is released here.
    try {
        createWindow();
        createControls();
        applyFonts();
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

int Win32MainView::controlId(std::string_view name) {
    const std::optional<std::size_t> index = controlIndex(name);
    return index ? kFirstControlId + static_cast<int>(*index) : -1;
}

HWND Win32MainView::control(std::string_view name) const {
    const int index = find(name);
    return index < 0 ? nullptr : controls_[index].handle;
}

int Win32MainView::find(std::string_view name) const {
    const int id = controlId(name);
    return id < 0 ? -1 : id - kFirstControlId;
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

void Win32MainView::createWindow() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    registerWindowClass(instance, &windowProcedure);
    RECT frame{0, 0, MulDiv(kClientWidthTwips, dpi_, kTwipsPerInch), MulDiv(kClientHeightTwips, dpi_, kTwipsPerInch)};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, WS_EX_CONTROLPARENT);
    window_ =
        CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, kWindowCaption, kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (window_ == nullptr) {
        throwLastError("CreateWindowExW main window");
    }
    // Messages reach the view from here on; those of the window's creation go to DefWindowProcW.
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

POINT Win32MainView::origin(const Control& control) const {
    POINT point{0, 0};
    for (const Control* at = &control; at != nullptr;
         at = at->container < 0 ? nullptr : &controls_[static_cast<std::size_t>(at->container)]) {
        point.x += at->spec->left;
        point.y += at->spec->top;
    }
    return {MulDiv(point.x, dpi_, kTwipsPerInch), MulDiv(point.y, dpi_, kTwipsPerInch)};
}

// Every control is a child of the window, so that all notifications reach the window, and is stacked in tab
// order: the controls that take focus by their tab indices, then the containers, inner ones above outer ones,
// so that a group box never paints over what lies in it. Tab and the arrow keys follow that stacking; an option
// button that follows one of its own group continues that group for the arrow keys.
void Win32MainView::createControls() {
    for (const ControlSpec& spec : mainWindowControls()) {
        Control control;
        control.spec = &spec;
        control.visible = !spec.hidden;
        if (spec.container != nullptr) {
            control.container = find(spec.container);
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
        return controls_[a].spec->tabIndex < controls_[b].spec->tabIndex;
    });

    HINSTANCE instance = GetModuleHandleW(nullptr);
    const ControlSpec* previous = nullptr;
    for (std::size_t index : stacking) {
        Control& control = controls_[index];
        const ControlSpec& spec = *control.spec;
        const WindowKind kind = windowKind(spec);
        const bool continuesGroup = spec.kind == OptionButton && previous != nullptr &&
                                    previous->kind == OptionButton &&
                                    std::strcmp(previous->container, spec.container) == 0;
        const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style | (continuesGroup ? 0 : WS_GROUP);
        const std::wstring caption = spec.kind == EdgeCaptionGroupBox ? L"" : toWide(std::string_view(spec.caption));
        const POINT at = origin(control);
        control.handle =
            CreateWindowExW(kind.extendedStyle, kind.windowClass, caption.c_str(), style, at.x, at.y,
                            MulDiv(spec.width, dpi_, kTwipsPerInch), MulDiv(spec.height, dpi_, kTwipsPerInch), window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(index))),
                            instance, nullptr);
        if (control.handle == nullptr) {
            throwLastError(std::string("CreateWindowExW ") + spec.name);
        }
        SetWindowPos(control.handle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (isSentinelField(spec.name)) {
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

void Win32MainView::applyFonts() {
    fonts_ = std::make_unique<WindowFonts>(dpi_);
    for (const Control& control : controls_) {
        if (control.handle != nullptr) {
            SendMessageW(control.handle, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_->dialogFont()), FALSE);
        }
    }
    for (const EmphasisedCaption& caption : kEmphasisedCaptions) {
        SendMessageW(control(caption.control), WM_SETFONT,
                     reinterpret_cast<WPARAM>(fonts_->boldGulim(caption.pointSize)), FALSE);
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

void Win32MainView::showWindow() {
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
}

void Win32MainView::setText(std::string_view name, std::u16string_view text) {
    const HWND handle = control(name);
    if (handle == nullptr) {
        return;
    }
    std::wstring wide = toWide(text);
    if (controls_[static_cast<std::size_t>(find(name))].spec->kind == TextField) {
        // As typing would: the field keeps no more than its limit.
        wide.resize(std::min<std::size_t>(wide.size(), SendMessageW(handle, EM_GETLIMITTEXT, 0, 0)));
    }
    ProgrammaticChange change(*this);
    SetWindowTextW(handle, wide.c_str());
}

void Win32MainView::setCheck(std::string_view name, CheckState state) {
    const int index = find(name);
    if (index < 0) {
        return;
    }
    const Control& control = controls_[static_cast<std::size_t>(index)];
    ProgrammaticChange change(*this);
    if (control.spec->kind == CheckBox && state >= kUnchecked && state <= kGrayed) {
        constexpr WPARAM kButtonStates[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
        SendMessageW(control.handle, BM_SETCHECK, kButtonStates[state], 0);
    } else if (control.spec->kind == OptionButton && state == kChecked) {
        setOptionOn(index);
    } else if (control.spec->kind == OptionButton && state == kUnchecked) {
        SendMessageW(control.handle, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

// Turns the option button on and the others of its container off.
void Win32MainView::setOptionOn(int index) {
    const ControlSpec& on = *controls_[static_cast<std::size_t>(index)].spec;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const ControlSpec& spec = *controls_[i].spec;
        if (spec.kind == OptionButton && std::strcmp(spec.container, on.container) == 0) {
            SendMessageW(controls_[i].handle, BM_SETCHECK, static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED,
                         0);
        }
    }
}

void Win32MainView::setEnabled(std::string_view name, bool enabled) {
    const int index = find(name);
    if (index >= 0) {
        controls_[static_cast<std::size_t>(index)].enabled = enabled;
        applyStates(index);
    }
}

void Win32MainView::setVisible(std::string_view name, bool visible) {
    const int index = find(name);
    if (index >= 0) {
        controls_[static_cast<std::size_t>(index)].visible = visible;
        applyStates(index);
    }
}

void Win32MainView::setItems(std::string_view name, const std::vector<std::u16string>& items) {
    const int index = find(name);
    if (index < 0 || controls_[static_cast<std::size_t>(index)].handle == nullptr) {
        return;
    }
    const Control& control = controls_[static_cast<std::size_t>(index)];
    const bool list = control.spec->kind == ListBox;
    if (!list && control.spec->kind != DropDownList) {
        return;
    }
    ProgrammaticChange change(*this);
    SendMessageW(control.handle, list ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
    for (const std::u16string& item : items) {
        const std::wstring wide = toWide(item);
        SendMessageW(control.handle, list ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
}

void Win32MainView::setSelectedIndex(std::string_view name, int index) {
    const int at = find(name);
    if (at < 0) {
        return;
    }
    const Control& control = controls_[static_cast<std::size_t>(at)];
    ProgrammaticChange change(*this);
    if (control.spec->kind == ListBox) {
        SendMessageW(control.handle, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    } else if (control.spec->kind == DropDownList) {
        SendMessageW(control.handle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void Win32MainView::setStatus(std::u16string_view text, std::u16string_view fileName) {
    setText(kStatusLabel, statusWithFileName(text, fileName));
}

void Win32MainView::appendItem(std::string_view name, std::u16string_view item) {
    const HWND handle = control(name);
    if (handle == nullptr || controls_[static_cast<std::size_t>(find(name))].spec->kind != ListBox) {
        return;
    }
    const std::wstring wide = toWide(item);
    ProgrammaticChange change(*this);
    SendMessageW(handle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void Win32MainView::layOutDiagnosticPanel() {
    RECT client{0, 0, 0, 0};
    GetClientRect(window_, &client);
    for (const char* name : {"lstResults", "fraBytesReceived", "fraBytesToSend", "cmdContinuous"}) {
        const Control& panel = controls_[static_cast<std::size_t>(find(name))];
        const POINT at = origin(panel);
        client.right = std::max<LONG>(client.right, at.x + MulDiv(panel.spec->width, dpi_, kTwipsPerInch) + 1);
        client.bottom = std::max<LONG>(client.bottom, at.y + MulDiv(panel.spec->height, dpi_, kTwipsPerInch) + 1);
    }
    AdjustWindowRectEx(&client, kWindowStyle, FALSE, WS_EX_CONTROLPARENT);
    SetWindowPos(window_, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string Win32MainView::focusedControl() const {
    const int index = findByHandle(GetFocus());
    return index < 0 ? std::string() : std::string(controls_[static_cast<std::size_t>(index)].spec->name);
}

void Win32MainView::setFocus(std::string_view name) {
    const HWND handle = control(name);
    if (handle != nullptr) {
        SetFocus(handle);
    }
}

void Win32MainView::setTimer(std::string_view name, bool armed, int intervalMs) {
    const int index = find(name);
    if (index < 0 || controls_[static_cast<std::size_t>(index)].spec->kind != Timer || window_ == nullptr) {
        return;
    }
    const auto id = static_cast<UINT_PTR>(kFirstControlId + index);
    controls_[static_cast<std::size_t>(index)].armed = armed;
    if (armed) {
        SetTimer(window_, id, static_cast<UINT>(std::max(intervalMs, 0)), nullptr);
    } else {
        KillTimer(window_, id);
    }
}

// The cursor changes at once: while the presenter waits on the reader, the window takes no messages.
void Win32MainView::setBusy(bool busy) {
    busy_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

std::optional<std::string> Win32MainView::chooseSettingsFile(FileDialogKind kind) {
    const std::optional<std::wstring> path = dialogs_->run(window_, settingsFileDialogRequest(kind, programFolder()));
    if (!path) {
        return std::nullopt;
    }
    return toUtf8(*path);
}

LRESULT CALLBACK Win32MainView::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* view = reinterpret_cast<Win32MainView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (view == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return view->handleMessage(message, wParam, lParam);
}

LRESULT Win32MainView::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND window = window_;
    switch (message) {
    case WM_COMMAND: {
        const int index = LOWORD(wParam) - kFirstControlId;
        if (lParam != 0 && index >= 0 && index < static_cast<int>(controls_.size()) &&
            controls_[static_cast<std::size_t>(index)].handle == reinterpret_cast<HWND>(lParam)) {
            onCommand(index, HIWORD(wParam));
            return 0;
        }
        break;
    }
    case WM_TIMER: {
        const auto index = static_cast<std::size_t>(wParam) - kFirstControlId;
        if (index < controls_.size() && controls_[index].spec->kind == Timer && controls_[index].armed &&
            events_ != nullptr) {
            events_->timerElapsed(controls_[index].spec->name);
        }
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush = onControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
            return reinterpret_cast<LRESULT>(brush);
        }
        break;
    case WM_SETCURSOR:
        if (busy_) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_SETFOCUS:
        if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) {
            SetFocus(first);
        }
        return 0;
    case WM_CLOSE:
        if (events_ != nullptr) {
            events_->closing();
        }
        DestroyWindow(window);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        for (Control& control : controls_) {
            control.handle = nullptr;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Win32MainView::onCommand(int index, WORD notification) {
    const Control& control = controls_[static_cast<std::size_t>(index)];
    ViewEvents* events = programmaticChanges_ == 0 ? events_ : nullptr;
    switch (control.spec->kind) {
    case Button:
        if (notification == BN_CLICKED && events != nullptr) {
            events->clicked(control.spec->name);
        }
        break;
    case CheckBox:
        if (notification == BN_CLICKED) {
            onCheckBoxClicked(control);
        }
        break;
    case OptionButton:
        if (notification == BN_CLICKED) {
            onOptionButtonClicked(index);
        }
        break;
    case TextField:
        if (notification == EN_CHANGE && events != nullptr) {
            const int length = GetWindowTextLengthW(control.handle);
            std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
            text.resize(static_cast<std::size_t>(GetWindowTextW(control.handle, text.data(), length + 1)));
            events->textEdited(control.spec->name, toUtf16(text));
        }
        break;
    case DropDownList:
        if (notification == CBN_SELCHANGE && events != nullptr) {
            events->selectedIndexChanged(control.spec->name,
                                         static_cast<int>(SendMessageW(control.handle, CB_GETCURSEL, 0, 0)));
        }
        break;
    default:
        break;
    }
}

// A click ticks a box that is clear or grayed and clears a ticked one; grayed comes only from the presenter.
void Win32MainView::onCheckBoxClicked(const Control& control) {
    const bool ticked = SendMessageW(control.handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
    const CheckState state = ticked ? kUnchecked : kChecked;
    SendMessageW(control.handle, BM_SETCHECK, ticked ? BST_UNCHECKED : BST_CHECKED, 0);
    if (programmaticChanges_ == 0 && events_ != nullptr) {
        events_->checkChanged(control.spec->name, state);
    }
}

// A click turns the option on and the others of its group off; a click on an option that is on changes nothing.
void Win32MainView::onOptionButtonClicked(int index) {
    const Control& control = controls_[static_cast<std::size_t>(index)];
    if (SendMessageW(control.handle, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        return;
    }
    setOptionOn(index);
    if (programmaticChanges_ == 0 && events_ != nullptr) {
        events_->checkChanged(control.spec->name, kChecked);
    }
}

// The status label in dark red on light grey; the sentinel check boxes in the highlight colour.
HBRUSH Win32MainView::onControlColor(HDC dc, HWND handle) {
    const int index = findByHandle(handle);
    if (index < 0) {
        return nullptr;
    }
    const std::string_view name = controls_[static_cast<std::size_t>(index)].spec->name;
    if (name == kStatusLabel) {
        SetTextColor(dc, kStatusText);
        SetBkColor(dc, kStatusBackground);
        return statusBackground_;
    }
    if (std::find(std::begin(kSentinelBoxes), std::end(kSentinelBoxes), name) != std::end(kSentinelBoxes)) {
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return GetSysColorBrush(COLOR_BTNFACE);
    }
    return nullptr;
}

int runMessageLoop(HWND window) {
    MSG message{};
    while (IsWindow(window) && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

}  // namespace cdr::win32
