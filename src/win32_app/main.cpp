// The configuration utility for Windows over the system's HID services.
#include <windows.h>

#include "hid/system_platform.h"
#include "win32_app/win32_window_startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const auto platform = cdr::hid::makeSystemHidPlatform();
    return cdr::win32::runWin32MainWindow(*platform);
}
