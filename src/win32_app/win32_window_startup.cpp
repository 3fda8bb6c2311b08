#include "win32_app/win32_window_startup.h"

#include "presenter/main_presenter.h"
#include "win32/win32_main_view.h"

namespace cdr::win32 {

int runWin32MainWindow(hid::HidPlatform& platform) {
    Win32MainView view;
    MainPresenter presenter(view, platform);
    view.setEvents(presenter);
    presenter.Form_Load();
    return runMessageLoop(view.window());
}

}  // namespace cdr::win32
