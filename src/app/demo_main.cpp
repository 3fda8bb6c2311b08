// The configuration utility over simulated HID devices with a virtual reader among them, so that every button
// works without hardware.
#include "app/window_startup.h"
#include "hid/sim/demo_hid_platform.h"
#include "version/program_version.h"

int main(int argc, char* argv[]) {
    if (cdr::printVersionWhenAsked(argc, argv, "cdr55p4w-config-demo")) return 0;
    cdr::hid::sim::DemoHidPlatform devices;
    return cdr::runMainWindow(argc, argv, devices.platform());
}
