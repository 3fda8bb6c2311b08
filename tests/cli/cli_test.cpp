#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <deque>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "cli/command_line.h"
#include "cli/polling_arrivals.h"
#include "hid/sim/sim_hid_platform.h"
#include "hid/sim/virtual_reader.h"
#include "protocol/reader_commands.h"
#include "support/reader_replies.h"
#include "support/sample_settings.h"
#include "support/temp_folder.h"

namespace cdr::cli {
namespace {

using hid::sim::VirtualReader;

const std::string kFactoryFile(test::kFactorySettingsFile);
const std::string kCustomFile =
    "1\r\n1\r\n0\r\n1\r\n%\r\n;\r\n\r\n0\r\n\r\n\r\n\r\nFalse\r\nTrue\r\nTrue\r\nFalse\r\nFalse\r\n";

// The tool over simulated readers, with its output and messages kept; provision's arrivals plug in the devices
// added unplugged, one per wait, then end.
class CliTest : public ::testing::Test, public Backends {
protected:
    hid::HidPlatform& platform(int) override { return platform_; }
    std::istream& standardInput() override { return in_; }
    std::unique_ptr<ReaderArrivals> arrivals(hid::HidLink& link, bool) override {
        return std::make_unique<PollingArrivals>(link, [this] {
            if (toPlug_.empty()) return false;
            if (beforePlug_) beforePlug_(toPlug_.front());
            platform_.plug(toPlug_.front());
            toPlug_.pop_front();
            return true;
        });
    }
    void swipeTest(std::ostream&) override {}

    std::size_t addReader(std::string path) {
        return platform_.addDevice(readers_.emplace_back().device(std::move(path)));
    }

    int run(std::vector<std::string> arguments) {
        out_.str({});
        err_.str({});
        arguments.insert(arguments.begin(), "cdr55p4w-cli");
        std::vector<const char*> argv;
        for (const auto& argument : arguments) argv.push_back(argument.c_str());
        return runCommandLine(static_cast<int>(argv.size()), argv.data(), *this, out_, err_);
    }

    std::string writeFile(const std::string& name, const std::string& bytes) {
        return folder_.write(name, bytes).string();
    }

    hid::sim::SimHidPlatform platform_;
    std::deque<VirtualReader> readers_;
    std::deque<std::size_t> toPlug_;
    std::istringstream in_;
    // Runs before provision's arrivals plug in a device.
    std::function<void(std::size_t device)> beforePlug_;
    std::ostringstream out_;
    std::ostringstream err_;
    // Each test keeps its files in a folder of its own, since the tests run as parallel processes.
    test::TempFolder folder_{"cdr-cli-"};
};

TEST_F(CliTest, ListShowsReadersWithTheReasonOneCannotBeOpened) {
    EXPECT_EQ(run({"list"}), 3);
    addReader("/dev/hidraw0");
    hid::sim::VirtualDevice mouse;
    mouse.identity = {0x046D, 0xC52B, 1};
    mouse.path = "/dev/hidraw1";
    platform_.addDevice(mouse);
    hid::sim::VirtualDevice locked = readers_.emplace_back().device("/dev/hidraw2");
    locked.refusesOpen = true;
    platform_.addDevice(locked);

    EXPECT_EQ(run({"list"}), 0);
    EXPECT_EQ(out_.str(), "/dev/hidraw0 ffff:fffc ok\n/dev/hidraw2 ffff:fffc Permission denied\n");
    EXPECT_EQ(run({"list", "--json"}), 0);
    EXPECT_EQ(nlohmann::json::parse(out_.str()).at(1).at("reason"), "Permission denied");
    EXPECT_EQ(nlohmann::json::parse(out_.str()).at(0).at("productId"), "fffc");

    EXPECT_EQ(run({"version", "--device", "/dev/hidraw2"}), 3);
    EXPECT_NE(err_.str().find("/dev/hidraw2: Permission denied"), std::string::npos) << err_.str();
}

TEST_F(CliTest, WrittenFileReadsBackByteForByteAndVersionAnswers) {
    addReader("/dev/hidraw0");
    const std::string file = writeFile("custom.cfg", kCustomFile);
    EXPECT_EQ(run({"write", file}), 0);
    EXPECT_EQ(out_.str(), "/dev/hidraw0: written and checked\n");
    EXPECT_EQ(run({"read"}), 0);
    EXPECT_EQ(out_.str(), kCustomFile);
    EXPECT_EQ(run({"read", "--json"}), 0);
    EXPECT_EQ(nlohmann::json::parse(out_.str()).at("format"), "aamva");
    EXPECT_EQ(run({"factory"}), 0);
    EXPECT_EQ(run({"read", "-o", writeFile("out.cfg", "old")}), 0);
    std::ifstream saved(folder_ / "out.cfg", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), kFactoryFile);
    EXPECT_EQ(run({"version"}), 0);
    EXPECT_EQ(out_.str(), "1.05\n");
}

// A settings file and the frame the window's Write sends for the same settings (bytes as its tests expect them).
struct WriteFrameCase {
    const char* name;
    std::string file;
    std::vector<std::uint8_t> frame;
};

void PrintTo(const WriteFrameCase& c, std::ostream* out) { *out << c.name; }

class CliWriteFrameTest : public CliTest, public ::testing::WithParamInterface<WriteFrameCase> {};

// The report that carries a frame: the output report ID, the frame, zeros to the report's length.
std::vector<std::uint8_t> reportOf(const std::vector<std::uint8_t>& frame) {
    std::vector<std::uint8_t> report(VirtualReader::kReportLength, 0x00);
    report[0] = hid::OUTPUT_REPORT_ID;
    std::ranges::copy(frame, report.begin() + 1);
    return report;
}

TEST_P(CliWriteFrameTest, WriteSendsTheWindowsFrameThenReadsBack) {
    addReader("/dev/hidraw0");
    EXPECT_EQ(run({"write", writeFile("frame.cfg", GetParam().file)}), 0);
    std::vector<std::vector<std::uint8_t>> sent;
    for (const auto& report : platform_.writtenReports()) sent.push_back(report.bytes);
    const auto write = std::ranges::find(sent, reportOf(GetParam().frame));
    ASSERT_NE(write, sent.end());
    const std::vector<std::uint8_t> readSettings{0x02, 0x00, 0x04, 0x43, 0x43, 0x52, 0x03, 0x55};
    EXPECT_EQ(std::vector(write, sent.end()), (std::vector{reportOf(GetParam().frame), reportOf(readSettings)}));
}

INSTANTIATE_TEST_SUITE_P(Settings, CliWriteFrameTest,
                         ::testing::Values(WriteFrameCase{"Mixed",
                                                          "1\r\n1\r\n0\r\n1\r\n%\r\n;\r\n\r\n1\r\n?\r\n?\r\n\r\n"
                                                          "False\r\nTrue\r\nFalse\r\nFalse\r\nTrue\r\n",
                                                          {0x02, 0x00, 0x0F, 0x43, 0x43, 0x57, 0x31, 0x31, 0x30, 0x25,
                                                           0x3B, 0x00, 0x3F, 0x3F, 0x00, 0x32, 0x32, 0x03, 0x75}},
                                           WriteFrameCase{"GrayedTrackSentAs0x32",
                                                          "2" + kFactoryFile.substr(1),
                                                          {0x02, 0x00, 0x0F, 0x43, 0x43, 0x57, 0x32, 0x31, 0x31, 0x00,
                                                           0x00, 0x00, 0x00, 0x00, 0x00, 0x31, 0x31, 0x03, 0x69}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTest, BadCommandLinesAndFilesSendNothing) {
    addReader("/dev/hidraw0");
    addReader("/dev/hidraw1");
    const std::string good = writeFile("good.cfg", kFactoryFile);
    const std::vector<std::vector<std::string>> refused = {
        {"write", writeFile("short.cfg", "1\r\n1\r\n")},
        {"write", writeFile("bad.cfg", "1\r\n7\r\n" + kFactoryFile)},
        {"write", "/nonexistent/x.cfg", "--all"},
        {"write", good},  // two readers, neither --device nor --all
        {"write", good, "--all", "--device", "/dev/hidraw0"},
        {"version"},
        {"frobnicate"},
    };
    for (const auto& arguments : refused) {
        EXPECT_EQ(run(arguments), 2) << arguments.front() << ' ' << arguments.back();
    }
#ifndef _WIN32
    // A pipe in the settings file's place is refused, not waited on for a writer.
    const auto pipe = folder_ / "pipe.cfg";
    std::filesystem::remove(pipe);
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(run({"write", pipe.string(), "--all"}), 2);
#endif
    EXPECT_TRUE(platform_.writtenReports().empty());
    run({"version"});
    EXPECT_NE(err_.str().find("/dev/hidraw1"), std::string::npos) << err_.str();
}

TEST_F(CliTest, AllGoesOnPastAReaderThatDoesNotAnswerOrReadsBackOtherSettings) {
    addReader("/dev/hidraw0");
    platform_.addDevice(readers_.emplace_back().device("/dev/hidraw1"));
    // The reader answers the handshake but no write.
    VirtualReader& model = readers_.back();
    hid::sim::VirtualDevice mute = model.device("/dev/hidraw2");
    mute.responder = [&model](std::span<const std::uint8_t> report) -> std::optional<std::vector<std::uint8_t>> {
        if (report.size() > 6 && report[6] == kWriteSettingsCommand[2]) return std::nullopt;
        return model.answer(report);
    };
    platform_.addDevice(mute);
    // A reader that takes the write but keeps the track settings it had.
    VirtualReader& stubborn = readers_.emplace_back();
    hid::sim::VirtualDevice forgetful = stubborn.device("/dev/hidraw3");
    forgetful.responder = [&stubborn](std::span<const std::uint8_t> report) {
        auto answer = stubborn.answer(report);
        stubborn.restoreSettings(VirtualReader().settingsBlock());
        return std::optional(answer);
    };
    platform_.addDevice(forgetful);

    EXPECT_EQ(run({"write", writeFile("custom.cfg", kCustomFile), "--all"}), 1);
    EXPECT_EQ(out_.str(),
              "/dev/hidraw0: written and checked\n/dev/hidraw1: written and checked\n"
              "/dev/hidraw2: failed: write: no answer within 6000 ms\n"
              "/dev/hidraw3: failed: the settings read back differ from those written\n");
}

TEST_F(CliTest, ProvisionWritesEachReaderAsItArrivesAndCountsTheOneUnpluggedMidWrite) {
    toPlug_.push_back(addReader("/dev/hidraw0"));
    VirtualReader& model = readers_.emplace_back();
    hid::sim::VirtualDevice leaving = model.device("/dev/hidraw1");
    const std::size_t leavingIndex = 1;
    leaving.responder = [this,
                         &model](std::span<const std::uint8_t> report) -> std::optional<std::vector<std::uint8_t>> {
        if (report.size() > 6 && report[6] == kWriteSettingsCommand[2]) {
            platform_.unplug(leavingIndex);
            return std::nullopt;
        }
        return model.answer(report);
    };
    toPlug_.push_back(platform_.addDevice(leaving));
    toPlug_.push_back(addReader("/dev/hidraw2"));
    for (const std::size_t device : toPlug_) platform_.unplug(device);

    EXPECT_EQ(run({"provision", writeFile("custom.cfg", kCustomFile)}), 1);
    const std::string out = out_.str();
    EXPECT_NE(out.find("/dev/hidraw0: written and checked ("), std::string::npos) << out;
    EXPECT_NE(out.find("/dev/hidraw1: failed: write: the reader went away (No such device) ("), std::string::npos)
        << out;
    EXPECT_NE(out.find("/dev/hidraw2: written and checked ("), std::string::npos) << out;
    EXPECT_TRUE(out.ends_with("2 written, 1 failed\n")) << out;
    EXPECT_EQ(readers_[2].settingsBlock(), readers_[0].settingsBlock());
}

TEST_F(CliTest, ListSaysNoReaderWhenNoneCanBeOpened) {
    hid::sim::VirtualDevice locked = readers_.emplace_back().device("/dev/hidraw0");
    locked.refusesOpen = true;
    platform_.addDevice(locked);
    EXPECT_EQ(run({"list"}), 3);
}

TEST_F(CliTest, JsonNamesEveryValueAndWhatReadPrintsWriteTakes) {
    addReader("/dev/hidraw0");
    ASSERT_EQ(run({"write", writeFile("custom.cfg", kCustomFile)}), 0);
    ASSERT_EQ(run({"read", "--json"}), 0);
    const std::string printed = out_.str();
    const auto json = nlohmann::json::parse(printed);
    EXPECT_EQ(json.at("tracks"), nlohmann::json({"on", "on", "off"}));
    EXPECT_EQ(json.at("format"), "aamva");
    EXPECT_EQ(json.at("enterMode"), "none");
    EXPECT_EQ(json.at("startSentinel"), nlohmann::json({{"state", "on"}, {"characters", {"%", ";", ""}}}));
    EXPECT_EQ(json.at("endSentinel").at("state"), "off");

    ASSERT_EQ(run({"factory"}), 0);
    in_.str(printed);
    EXPECT_EQ(run({"write", "-"}), 0) << err_.str();
    EXPECT_EQ(run({"read", "-o", "-"}), 0);
    EXPECT_EQ(out_.str(), kCustomFile);

    // Into a file, the output goes there alone: as JSON with --json, else as the settings file.
    EXPECT_EQ(run({"read", "--json", "-o", (folder_ / "read.json").string()}), 0);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(nlohmann::json::parse(test::TempFolder::contents(folder_ / "read.json")), json);
    EXPECT_EQ(run({"read", "-o", (folder_ / "read.cfg").string()}), 0);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(run({"write", (folder_ / "read.json").string()}), 0);
}

TEST_F(CliTest, OutputThatCannotBeWrittenHasItsOwnStatus) {
    addReader("/dev/hidraw0");
    EXPECT_EQ(run({"--json", "read", "-o", (folder_ / "missing" / "x.cfg").string()}), 4);
    EXPECT_EQ(nlohmann::json::parse(out_.str()).at("error").at("kind"), "output-not-written");
}

TEST_F(CliTest, ContradictoryFileIsRefusedNamingItsLinesUnlessForced) {
    addReader("/dev/hidraw0");
    std::string lf = kFactoryFile;
    std::erase(lf, '\r');
    EXPECT_EQ(run({"write", writeFile("lf.cfg", "\xEF\xBB\xBF" + lf)}), 0) << err_.str();

    std::string both = kFactoryFile;
    both.replace(both.find("False"), 5, "True");  // line 13, AAMVA
    const std::string bothFormats = writeFile("both.cfg", both);
    const std::size_t reportsBefore = platform_.writtenReports().size();
    ASSERT_EQ(run({"--json", "write", bothFormats}), 2);
    EXPECT_NE(err_.str().find("lines 12 and 13: both ISO and AAMVA are chosen"), std::string::npos) << err_.str();
    const auto error = nlohmann::json::parse(out_.str()).at("error");
    EXPECT_EQ(error.at("kind"), "contradictory-settings");
    EXPECT_EQ(error.at("contradictions").at(0).at("lines"), nlohmann::json({12, 13}));
    EXPECT_EQ(platform_.writtenReports().size(), reportsBefore);
    EXPECT_EQ(run({"write", bothFormats, "--force"}), 0);
}

TEST_F(CliTest, UnknownCommandIsNamedWithTheNearestOne) {
    EXPECT_EQ(run({"--simulate", "lst"}), 2);
    EXPECT_NE(err_.str().find("'lst' is not a command; did you mean 'list'?"), std::string::npos) << err_.str();
    EXPECT_EQ(run({"--json", "version"}), 3);
    EXPECT_EQ(nlohmann::json::parse(out_.str()).at("error").at("kind"), "no-reader");
}

// A reader that refuses the command, one pulled while answering and one that never answers: each says so, in
// text and in JSON, and the status is that of a reader that failed.
struct FailureCase {
    const char* name;
    std::function<hid::sim::Responder(hid::sim::SimHidPlatform&)> responder;
    const char* message;
    const char* kind;
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

class CliFailureTest : public CliTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CliFailureTest, EachFailureGivesItsOwnMessage) {
    hid::sim::VirtualDevice device = readers_.emplace_back().device("/dev/hidraw0");
    device.responder = GetParam().responder(platform_);
    platform_.addDevice(device);

    EXPECT_EQ(run({"version"}), 1);
    EXPECT_EQ(err_.str(), std::string("cdr55p4w-cli: /dev/hidraw0: connect failed: ") + GetParam().message + "\n");
    platform_.plug(0);
    EXPECT_EQ(run({"read", "--json"}), 1);
    const auto error = nlohmann::json::parse(out_.str()).at("error");
    EXPECT_EQ(error.at("kind"), GetParam().kind);
    EXPECT_TRUE(error.at("message").get<std::string>().ends_with(GetParam().message)) << error;
}

INSTANTIATE_TEST_SUITE_P(Failures, CliFailureTest,
                         ::testing::Values(FailureCase{"Refused",
                                                       [](auto&) {
                                                           return [](std::span<const std::uint8_t>) {
                                                               return std::optional(test::replyWithStatus(
                                                                   VirtualReader::kReportLength, 0x4E));
                                                           };
                                                       },
                                                       "the reader refused the command (status 0x4E)", "refused"},
                                           FailureCase{"Pulled",
                                                       [](hid::sim::SimHidPlatform& platform) {
                                                           return [&platform](std::span<const std::uint8_t>) {
                                                               platform.unplug(0);
                                                               return std::optional<std::vector<std::uint8_t>>();
                                                           };
                                                       },
                                                       "the reader went away (No such device)", "gone"},
                                           FailureCase{"Silent", [](auto&) { return hid::sim::Responder{}; },
                                                       "no answer within 6000 ms", "no-answer"}),
                         [](const auto& info) { return std::string(info.param.name); });

// SIGTERM while the second reader is plugged in, passed on twice as `timeout` does: it is written, the third is not,
// and the summary follows.
TEST_F(CliTest, ASignalEndsProvisionAfterTheReaderInHand) {
    for (const char* path : {"/dev/hidraw0", "/dev/hidraw1", "/dev/hidraw2"}) {
        toPlug_.push_back(addReader(path));
        platform_.unplug(toPlug_.back());
    }
    beforePlug_ = [](std::size_t device) {
        if (device == 1) {
            std::raise(SIGTERM);
            std::raise(SIGTERM);
        }
    };

    EXPECT_EQ(run({"provision", writeFile("custom.cfg", kCustomFile)}), 0);

    EXPECT_TRUE(out_.str().ends_with("2 written, 0 failed\n")) << out_.str();
    EXPECT_EQ(readers_[2].settingsBlock(), VirtualReader().settingsBlock());
}

// Readers plugged in before provision starts are written, or with --only-new passed over and said so; a run
// that wrote nothing does not end as a success.
TEST_F(CliTest, ProvisionWritesReadersAlreadyPresentUnlessOnlyNew) {
    addReader("/dev/hidraw0");
    const std::string file = writeFile("custom.cfg", kCustomFile);

    EXPECT_EQ(run({"provision", file, "--only-new"}), 3);
    EXPECT_EQ(out_.str(), "/dev/hidraw0: skipped: already present (--only-new)\n0 written, 0 failed, 1 skipped\n");
    EXPECT_EQ(run({"provision", file}), 0);
    EXPECT_TRUE(out_.str().ends_with("1 written, 0 failed\n")) << out_.str();
}

}  // namespace
}  // namespace cdr::cli
