#pragma once

#include "hid/hid_platform.h"

namespace cdr::win32 {

// Creates the program's one window of native controls over the given HID platform, starts it up and runs its
// messages until it closes; returns the program's exit code. "--diagnostic" on the command line shows the diagnostic
// panel. A window that cannot be created is reported in a message box. The platform must outlive the call.
int runWin32MainWindow(hid::HidPlatform& platform);

}  // namespace cdr::win32
