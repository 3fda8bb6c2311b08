#pragma once

#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "hid/sim/sim_hid_platform.h"
#include "hid/sim/virtual_reader.h"

namespace cdr::cli {

// The virtual readers behind --simulate: a number of them plugged in from the start, whose settings are kept in
// a small state file between runs, so that a write in one run is what the next run reads. Provisioning plugs in
// further readers, one every few seconds as a person would, a few in all, and then ends as an interrupt would.
//
// The state file is read only when it is a regular file of the user's (never through a link, never a pipe), and
// written only when a reader's settings changed, through a new file renamed over it. A state file that cannot be
// used is said on `notes`, and the readers start from the factory settings.
class Simulation {
public:
    static constexpr int kReadersToPlug = 3;
    static constexpr std::chrono::milliseconds kArrivalPace{3000};
    // Waits the given time, or less when interrupted; false when it was interrupted.
    using Pause = std::function<bool(std::chrono::milliseconds)>;

    Simulation(std::filesystem::path stateFile, int readers, std::ostream& notes);
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    hid::HidPlatform& platform() { return platform_; }
    // Plugs in another virtual reader after a pause of kArrivalPace; false once kReadersToPlug were plugged in by
    // this call, or when the pause was interrupted.
    bool plugAnother(const Pause& pause);

    // CDR55P4W_SIMULATION_STATE when set, else simulated-readers in the folder cdr55p4w of the user's state
    // folder ($XDG_STATE_HOME, else ~/.local/state; on Windows %LOCALAPPDATA%).
    static std::filesystem::path defaultStateFile();

private:
    void addReader();
    std::vector<SettingsBlock> readState();
    void saveState();

    std::filesystem::path stateFile_;
    std::ostream& notes_;
    hid::sim::SimHidPlatform platform_;
    std::deque<hid::sim::VirtualReader> readers_;
    // The settings of the readers present from the start as the state file gave them (factory settings for those
    // it does not hold), and of any further readers it holds.
    std::vector<SettingsBlock> kept_;
    std::size_t keptReaders_ = 0;
    int plugged_ = 0;
};

}  // namespace cdr::cli
