#pragma once

#include <deque>
#include <filesystem>
#include <string>

#include "hid/sim/sim_hid_platform.h"
#include "hid/sim/virtual_reader.h"

namespace cdr::cli {

// The virtual readers behind --simulate. One reader is plugged in from the start; its settings are kept in a
// small state file between runs, so that a write in one run is what the next run reads. Provisioning plugs in
// further readers, a few in all, and then ends as an interrupt would.
class Simulation {
public:
    static constexpr int kReadersToPlug = 3;

    explicit Simulation(std::filesystem::path stateFile);
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    hid::HidPlatform& platform() { return platform_; }
    // Plugs in another virtual reader; false once kReadersToPlug were plugged in by this call.
    bool plugAnother();

    // The state file: CDR55P4W_SIMULATION_STATE when set, else one in the temporary folder.
    static std::filesystem::path defaultStateFile();

private:
    void addReader();

    std::filesystem::path stateFile_;
    hid::sim::SimHidPlatform platform_;
    std::deque<hid::sim::VirtualReader> readers_;
    int plugged_ = 0;
};

}  // namespace cdr::cli
