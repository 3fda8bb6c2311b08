#include "cli/simulation.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "cli/text_encoding.h"
#include "settings/settings_file_io.h"

namespace cdr::cli {

namespace {

// No more readers than this are kept, which bounds what is read.
constexpr std::size_t kMostKeptReaders = 64;

#ifdef _WIN32
bool isNoFile(const std::filesystem::path& /*path*/) { return false; }
int openState(const std::filesystem::path& path) { return ::_wopen(path.c_str(), _O_RDONLY | _O_BINARY); }
bool isOwnRegularFile(const struct stat& info) { return (info.st_mode & S_IFMT) == S_IFREG; }
long readSome(int file, char* buffer, std::size_t size) { return ::_read(file, buffer, static_cast<unsigned>(size)); }
int closeState(int file) { return ::_close(file); }
#else
// Something other than a regular file is not opened at all: opening a pipe would let a writer on it go on.
bool isNoFile(const std::filesystem::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}
// A link is not followed, and a pipe put in the file's place after the check does not make the open wait.
int openState(const std::filesystem::path& path) {
    return ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
}
bool isOwnRegularFile(const struct stat& info) { return S_ISREG(info.st_mode) && info.st_uid == ::geteuid(); }
long readSome(int file, char* buffer, std::size_t size) { return ::read(file, buffer, size); }
int closeState(int file) { return ::close(file); }
#endif

std::filesystem::path fromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? pathFromUtf8(value) : std::filesystem::path();
}

}  // namespace

Simulation::Simulation(std::filesystem::path stateFile, int readers, std::ostream& notes)
    : stateFile_(std::move(stateFile)), notes_(notes) {
    kept_ = readState();
    keptReaders_ = static_cast<std::size_t>(readers);
    // Readers the file does not hold start from the factory settings.
    if (kept_.size() < keptReaders_) kept_.resize(keptReaders_, hid::sim::VirtualReader().settingsBlock());
    for (std::size_t index = 0; index < keptReaders_; ++index) {
        addReader();
        readers_.back().restoreSettings(kept_[index]);
    }
}

Simulation::~Simulation() { saveState(); }

std::vector<SettingsBlock> Simulation::readState() {
    const auto refuse = [this] {
        notes_ << "cdr55p4w-cli: simulation state " << stateFile_.string()
               << " not used: not a regular file of yours\n";
    };
    if (isNoFile(stateFile_)) {
        refuse();
        return {};
    }
    const int file = openState(stateFile_);
    if (file < 0) {
        if (errno != ENOENT) {
            notes_ << "cdr55p4w-cli: simulation state " << stateFile_.string()
                   << " not used: " << std::error_code(errno, std::generic_category()).message() << '\n';
        }
        return {};
    }
    struct stat info {};
    std::vector<SettingsBlock> blocks;
    if (::fstat(file, &info) != 0 || !isOwnRegularFile(info)) {
        refuse();
    } else {
        SettingsBlock block{};
        while (blocks.size() < kMostKeptReaders &&
               readSome(file, reinterpret_cast<char*>(block.data()), block.size()) == static_cast<long>(block.size())) {
            blocks.push_back(block);
        }
    }
    closeState(file);
    return blocks;
}

void Simulation::saveState() {
    std::vector<SettingsBlock> blocks = kept_;
    for (std::size_t index = 0; index < keptReaders_; ++index) blocks[index] = readers_[index].settingsBlock();
    if (blocks == kept_) return;
    std::string bytes;
    for (const SettingsBlock& block : blocks) bytes.append(block.begin(), block.end());
    std::error_code ignored;
    std::filesystem::create_directories(stateFile_.parent_path(), ignored);
    if (const auto failure = replaceSettingsFile(stateFile_, bytes)) {
        notes_ << "cdr55p4w-cli: the simulated readers' settings could not be kept in " << stateFile_.string() << ": "
               << failure->step << ": " << utf16ToUtf8(failure->reason) << '\n';
    }
}

void Simulation::addReader() {
    auto& reader = readers_.emplace_back();
    platform_.addDevice(reader.device("sim/hidraw" + std::to_string(readers_.size() - 1)));
}

bool Simulation::plugAnother(const Pause& pause) {
    if (plugged_ == kReadersToPlug || !pause(kArrivalPace)) {
        return false;
    }
    ++plugged_;
    addReader();
    return true;
}

std::filesystem::path Simulation::defaultStateFile() {
    if (auto path = fromEnvironment("CDR55P4W_SIMULATION_STATE"); !path.empty()) return path;
#ifdef _WIN32
    std::filesystem::path folder = fromEnvironment("LOCALAPPDATA");
#else
    std::filesystem::path folder = fromEnvironment("XDG_STATE_HOME");
    if (folder.empty()) folder = fromEnvironment("HOME") / ".local" / "state";
#endif
    return folder / "cdr55p4w" / "simulated-readers";
}

}  // namespace cdr::cli
