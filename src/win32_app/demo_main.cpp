// The configuration utility for Windows over simulated HID devices with a virtual reader among them, so that every
// button works without hardware.
#include <windows.h>

#include "hid/sim/demo_hid_platform.h"
#include "win32_app/win32_window_startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    cdr::hid::sim::DemoHidPlatform devices;
    return cdr::win32::runWin32MainWindow(devices.platform());
}
