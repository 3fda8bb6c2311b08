#include "cli/simulation.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace cdr::cli {

Simulation::Simulation(std::filesystem::path stateFile) : stateFile_(std::move(stateFile)) {
    addReader();
    std::ifstream state(stateFile_, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(state), std::istreambuf_iterator<char>()};
    if (bytes.size() == kSettingsBlockSize) {
        SettingsBlock block{};
        std::copy(bytes.begin(), bytes.end(), block.begin());
        readers_.front().restoreSettings(block);
    }
}

Simulation::~Simulation() {
    // Best effort: a simulation that cannot keep its state starts from the factory settings next time.
    std::ofstream state(stateFile_, std::ios::binary | std::ios::trunc);
    const SettingsBlock& block = readers_.front().settingsBlock();
    state.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size()));
}

void Simulation::addReader() {
    auto& reader = readers_.emplace_back();
    platform_.addDevice(reader.device("sim/hidraw" + std::to_string(readers_.size() - 1)));
}

bool Simulation::plugAnother() {
    if (plugged_ == kReadersToPlug) {
        return false;
    }
    ++plugged_;
    addReader();
    return true;
}

std::filesystem::path Simulation::defaultStateFile() {
    if (const char* path = std::getenv("CDR55P4W_SIMULATION_STATE"); path != nullptr && *path != '\0') {
        return path;
    }
    return std::filesystem::temp_directory_path() / "cdr55p4w-cli-simulated-reader";
}

}  // namespace cdr::cli
