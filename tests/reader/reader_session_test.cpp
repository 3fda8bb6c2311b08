#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "hid/sim/sim_hid_platform.h"
#include "hid/sim/virtual_reader.h"
#include "protocol/reader_commands.h"
#include "reader/reader_session.h"
#include "support/reader_replies.h"

namespace cdr {
namespace {

using hid::sim::VirtualReader;

class SilentObserver final : public hid::LinkObserver {
    void afterPlatformCall(std::string_view) override {}
    void keepLogOnLastLine() override {}
    void showStatus(std::string_view) override {}
};

bool isWrite(std::span<const std::uint8_t> report) {
    return report.size() > 6 && report[6] == kWriteSettingsCommand[2];
}

// A session on one virtual reader, whose answers a test may change.
class ReaderSessionTest : public ::testing::Test {
protected:
    void plugReader(hid::sim::Responder responder, std::optional<hid::SystemError> writeError = {}) {
        hid::sim::VirtualDevice device = model_.device("/dev/hidraw0");
        device.responder = std::move(responder);
        device.writeError = std::move(writeError);
        index_ = platform_.addDevice(device);
        ASSERT_FALSE(session_.open("/dev/hidraw0"));
    }

    hid::sim::SimHidPlatform platform_;
    SilentObserver observer_;
    hid::HidLink link_{platform_, observer_};
    ReaderSession session_{link_};
    VirtualReader model_;
    std::size_t index_ = 0;
};

struct FailureCase {
    const char* name;
    // How the reader answers the version command, given the test's platform and the reader's index.
    std::function<hid::sim::Responder(hid::sim::SimHidPlatform&, std::size_t&)> responder;
    ReaderFailure expected;
    const char* text;
};

class ReaderFailureTest : public ReaderSessionTest, public ::testing::WithParamInterface<FailureCase> {};

// Each failure keeps what happened, from the reply or from the link, and says it.
TEST_P(ReaderFailureTest, TheSessionSaysWhatHappened) {
    plugReader(GetParam().responder(platform_, index_));

    const auto answer = session_.readVersion();

    ASSERT_FALSE(answer.ok());
    ASSERT_TRUE(answer.failure.has_value());
    EXPECT_EQ(*answer.failure, GetParam().expected);
    EXPECT_EQ(failureText(*answer.failure), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Failures, ReaderFailureTest,
                         ::testing::Values(FailureCase{"Silent", [](auto&, auto&) { return hid::sim::Responder{}; },
                                                       ReaderFailure{FailureKind::NoAnswer, 0, {}},
                                                       "no answer within 6000 ms"},
                                           FailureCase{"Refused",
                                                       [](auto&, auto&) {
                                                           return [](std::span<const std::uint8_t>) {
                                                               return std::optional(test::replyWithStatus(
                                                                   VirtualReader::kReportLength, 0x4E));
                                                           };
                                                       },
                                                       ReaderFailure{FailureKind::Refused, 0x4E, {}},
                                                       "the reader refused the command (status 0x4E)"},
                                           FailureCase{"PulledWhileAnswering",
                                                       [](hid::sim::SimHidPlatform& platform, std::size_t& index) {
                                                           return [&platform, &index](std::span<const std::uint8_t>) {
                                                               platform.unplug(index);
                                                               return std::optional<std::vector<std::uint8_t>>();
                                                           };
                                                       },
                                                       ReaderFailure{FailureKind::Gone, 0, {19, "No such device"}},
                                                       "the reader went away (No such device)"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A write that fails, on a reader pulled before the command or one that takes no output report: no wait for a
// reply follows it, and whether the reader is still there tells the two apart.
TEST_F(ReaderSessionTest, AFailedWriteEndsTheCommandAtOnce) {
    const hid::SystemError timedOut{110, "Connection timed out"};
    for (const bool pulled : {true, false}) {
        SCOPED_TRACE(pulled ? "pulled" : "present");
        plugReader([this](std::span<const std::uint8_t> report) { return std::optional(model_.answer(report)); },
                   pulled ? std::nullopt : std::optional(timedOut));
        if (pulled) platform_.unplug(index_);

        const auto answer = session_.readVersion();

        const ReaderFailure expected = pulled ? ReaderFailure{FailureKind::Gone, 0, {19, "No such device"}}
                                              : ReaderFailure{FailureKind::NotTaken, 0, timedOut};
        EXPECT_EQ(answer.failure, expected);
        EXPECT_TRUE(platform_.timeoutsAsked().empty());
        EXPECT_FALSE(link_.deviceDetected());
        platform_.unplug(index_);
    }
}

class WriteCheckTest : public ReaderSessionTest, public ::testing::WithParamInterface<std::size_t> {};

// A reader that takes the write but keeps any one of the eleven bytes it had fails the check.
TEST_P(WriteCheckTest, EveryByteOfTheBlockIsCompared) {
    const SettingsBlock kept = model_.settingsBlock();
    const std::size_t position = GetParam();
    plugReader([this, kept, position](std::span<const std::uint8_t> report) {
        auto answer = model_.answer(report);
        if (isWrite(report)) {
            SettingsBlock stored = model_.settingsBlock();
            stored[position] = kept[position];
            model_.restoreSettings(stored);
        }
        return std::optional(answer);
    });
    const SettingsBlock written = {0x30, 0x30, 0x30, 0x25, 0x25, 0x25, 0x3F, 0x3F, 0x3F, 0x32, 0x32};

    const CheckedWrite check = session_.writeAndCheck(written);

    EXPECT_FALSE(check.matches());
    EXPECT_EQ(check.failure(), (ReaderFailure{FailureKind::Differs, 0, {}}));
}

INSTANTIATE_TEST_SUITE_P(Positions, WriteCheckTest, ::testing::Range<std::size_t>(0, kSettingsBlockSize));

}  // namespace
}  // namespace cdr
