#include "cli/simulation.h"

#include <gtest/gtest.h>

#include <sstream>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "hid/hid_link.h"
#include "reader/reader_session.h"
#include "support/temp_folder.h"

namespace cdr::cli {
namespace {

namespace fs = std::filesystem;

class SimulationTest : public ::testing::Test, private hid::LinkObserver {
protected:
    void afterPlatformCall(std::string_view) override {}
    void keepLogOnLastLine() override {}
    void showStatus(std::string_view) override {}

    // Writes the settings block to the first virtual reader of a simulation over `state`.
    void writeThrough(const fs::path& state, const SettingsBlock& block) {
        Simulation simulation(state, 1, notes_);
        hid::HidLink link(simulation.platform(), *this);
        ASSERT_TRUE(link.openReader("sim/hidraw0"));
        ReaderSession session(link);
        ASSERT_EQ(session.connect(), ExchangeResult::Accepted);
        ASSERT_TRUE(session.writeAndCheck(block).matches());
        link.CloseDeviceHandles();
    }

    SettingsBlock readThrough(const fs::path& state) {
        Simulation simulation(state, 1, notes_);
        hid::HidLink link(simulation.platform(), *this);
        EXPECT_TRUE(link.openReader("sim/hidraw0"));
        ReaderSession session(link);
        EXPECT_EQ(session.connect(), ExchangeResult::Accepted);
        const auto answer = session.readSettingsBlock();
        link.CloseDeviceHandles();
        return answer.ok() ? *answer.value : SettingsBlock{};
    }

    std::ostringstream notes_;
    test::TempFolder folder_{"cdr-simulation-"};
    const SettingsBlock custom_{'1', '0', '1', '%', 0, 0, 0, 0, 0, '0', '2'};
};

TEST_F(SimulationTest, KeepsWhatWasWrittenAndWritesOnlyWhenChanged) {
    const fs::path state = folder_ / "state" / "simulated-readers";
    { Simulation listing(state, 3, notes_); }
    EXPECT_FALSE(fs::exists(state));
    writeThrough(state, custom_);
    EXPECT_EQ(readThrough(state), custom_);
    EXPECT_EQ(notes_.str(), "");
}

#ifndef _WIN32
TEST_F(SimulationTest, StateThatIsNoRegularFileOfTheUserIsNotUsed) {
    const fs::path target = folder_.write("target", std::string(11, 'x'));
    fs::create_symlink(target, folder_ / "link");
    ASSERT_EQ(::mkfifo((folder_ / "pipe").c_str(), 0600), 0);
    fs::create_directory(folder_ / "folder");
    const fs::path foreign = folder_.write("foreign", std::string(11, 'x'));
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(foreign.c_str(), 4242, 4242), 0);
    }

    for (const char* name : {"link", "pipe", "folder", "foreign"}) {
        if (std::string_view(name) == "foreign" && !root) continue;
        const std::size_t earlierNotes = notes_.str().size();
        EXPECT_EQ(readThrough(folder_ / name), hid::sim::VirtualReader().settingsBlock()) << name;
        EXPECT_NE(notes_.str().find("not used", earlierNotes), std::string::npos) << name;
        writeThrough(folder_ / name, custom_);
    }
    EXPECT_EQ(test::TempFolder::contents(target), std::string(11, 'x'));
    EXPECT_TRUE(fs::is_directory(folder_ / "folder"));
    EXPECT_NE(notes_.str().find("could not be kept"), std::string::npos);
    // The link and the pipe were replaced by the state itself.
    EXPECT_EQ(readThrough(folder_ / "link"), custom_);
    EXPECT_EQ(readThrough(folder_ / "pipe"), custom_);
}
#endif

TEST_F(SimulationTest, ProvisionArrivalsArePacedAndEndWhenThePauseIsInterrupted) {
    Simulation simulation(folder_ / "state", 1, notes_);
    std::vector<std::chrono::milliseconds> pauses;
    const auto recordPause = [&pauses](std::chrono::milliseconds time) {
        pauses.push_back(time);
        return true;
    };
    int plugged = 0;
    while (simulation.plugAnother(recordPause)) ++plugged;
    EXPECT_EQ(plugged, Simulation::kReadersToPlug);
    for (const auto time : pauses) EXPECT_GE(time, std::chrono::seconds(2));

    Simulation interrupted(folder_ / "state", 1, notes_);
    EXPECT_FALSE(interrupted.plugAnother([](std::chrono::milliseconds) { return false; }));
}

}  // namespace
}  // namespace cdr::cli
