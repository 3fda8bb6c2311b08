#include "app/window_startup.h"
#include "hid/system_platform.h"
#include "version/program_version.h"

int main(int argc, char* argv[]) {
    if (cdr::printVersionWhenAsked(argc, argv, "cdr55p4w-config")) return 0;
    const auto platform = cdr::hid::makeSystemHidPlatform();
    return cdr::runMainWindow(argc, argv, *platform);
}
