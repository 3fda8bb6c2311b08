#pragma once

#include "hid/sim/sim_hid_platform.h"
#include "hid/sim/virtual_reader.h"

namespace cdr::hid::sim {

// The simulated platform of the demo programs: a keyboard, a mouse and a virtual reader behind them, so that
// every button works without hardware and Connect has to pass over the other devices first.
class DemoHidPlatform {
public:
    DemoHidPlatform();
    DemoHidPlatform(const DemoHidPlatform&) = delete;
    DemoHidPlatform& operator=(const DemoHidPlatform&) = delete;

    SimHidPlatform& platform() { return platform_; }

private:
    VirtualReader reader_;  // before the platform, whose reader device answers through it
    SimHidPlatform platform_;
};

}  // namespace cdr::hid::sim
