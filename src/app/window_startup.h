#pragma once

#include "hid/hid_platform.h"

namespace cdr {

// Starts the application with the program's one window over the given HID platform, and runs it until the window
// closes; returns the program's exit code. The platform must outlive the call.
int runMainWindow(int argc, char* argv[], hid::HidPlatform& platform);

}  // namespace cdr
