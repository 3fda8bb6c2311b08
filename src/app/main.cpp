#include "app/window_startup.h"
#include "hid/system_platform.h"

int main(int argc, char* argv[]) {
    const auto platform = cdr::hid::makeSystemHidPlatform();
    return cdr::runMainWindow(argc, argv, *platform);
}
