// The configuration utility over simulated HID devices with a virtual reader among them, so that every button
// works without hardware.
#include "app/window_startup.h"
#include "hid/sim/demo_hid_platform.h"

int main(int argc, char* argv[]) {
    cdr::hid::sim::DemoHidPlatform devices;
    return cdr::runMainWindow(argc, argv, devices.platform());
}
