#include <chrono>
#include <iostream>
#include <memory>
#include <thread>

#include "cli/command_line.h"
#include "cli/interrupt.h"
#include "cli/polling_arrivals.h"
#include "cli/simulation.h"
#include "cli/swipe_terminal.h"
#include "hid/system_platform.h"

#ifndef _WIN32
#include "cli/udev_arrivals.h"
#endif

namespace {

using namespace cdr;

// Waits the given time in short steps, so that Ctrl-C ends the wait soon; false when it did.
bool pauseUnlessInterrupted(std::chrono::milliseconds time) {
    constexpr std::chrono::milliseconds kStep{100};
    for (std::chrono::milliseconds waited{0}; waited < time && !cli::interrupted(); waited += kStep) {
        std::this_thread::sleep_for(kStep);
    }
    return !cli::interrupted();
}

// The system's readers, or the virtual ones with --simulate; each made when first asked for.
class SystemBackends final : public cli::Backends {
public:
    hid::HidPlatform& platform(int simulatedReaders) override {
        if (simulatedReaders > 0) {
            if (!simulation_) {
                simulation_ =
                    std::make_unique<cli::Simulation>(cli::Simulation::defaultStateFile(), simulatedReaders, std::cerr);
            }
            return simulation_->platform();
        }
        if (!system_) system_ = hid::makeSystemHidPlatform();
        return *system_;
    }

    std::unique_ptr<cli::ReaderArrivals> arrivals(hid::HidLink& link, bool simulate) override {
        cli::watchForInterrupt();
        if (simulate) {
            return std::make_unique<cli::PollingArrivals>(
                link, [this] { return simulation_->plugAnother(pauseUnlessInterrupted); });
        }
#ifndef _WIN32
        // Linux: udev's add events; where no udev monitor can be had, the readers are listed as on Windows,
        // rather than the wait ending at once as if it had been interrupted.
        if (auto monitor = std::make_unique<cli::UdevArrivals>(); monitor->ready()) {
            return monitor;
        }
#endif
        // The readers are listed again once a second.
        return std::make_unique<cli::PollingArrivals>(
            link, [] { return pauseUnlessInterrupted(std::chrono::milliseconds(1000)); });
    }

    void swipeTest(std::ostream& out) override { cli::swipeTestOnTerminal(out); }

private:
    std::unique_ptr<hid::HidPlatform> system_;
    std::unique_ptr<cli::Simulation> simulation_;
};

}  // namespace

int main(int argc, char** argv) {
    SystemBackends backends;
    return cli::runCommandLine(argc, argv, backends, std::cout, std::cerr);
}
