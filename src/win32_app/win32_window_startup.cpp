#include "win32_app/win32_window_startup.h"

#include <windows.h>

#include <cstdlib>
#include <string_view>
#include <system_error>

#include "presenter/main_presenter.h"
#include "win32/win32_main_view.h"

namespace cdr::win32 {

namespace {

constexpr std::string_view kDiagnosticOption = "--diagnostic";

// Whether the program's command line, as the C runtime split it, asks for the diagnostic panel.
bool diagnosticRequested() {
    for (int i = 1; i < __argc; ++i) {
        if (__argv[i] != nullptr && __argv[i] == kDiagnosticOption) {
            return true;
        }
    }
    return false;
}

}  // namespace

int runWin32MainWindow(hid::HidPlatform& platform) {
    try {
        Win32MainView view;
        MainPresenter presenter(view, platform);
        view.setEvents(presenter);
        if (diagnosticRequested()) {
            presenter.showDiagnosticPanel();
        }
        presenter.Form_Load();
        return runMessageLoop(view.window());
    } catch (const std::system_error& failure) {
        // Without a window the only place left to say why is a message box.
        MessageBoxA(nullptr, failure.what(), "VELK CDR55P4W  V1.1", MB_OK | MB_ICONERROR);
        return 1;
    }
}

}  // namespace cdr::win32
