#include <gtest/gtest.h>

#include <numeric>

#include "sim_link_fixture.h"

namespace cdr::hid::test {
namespace {

using Calls = std::vector<std::string>;

const std::string kKeep(RecordingObserver::kKeepLog);
const std::vector<std::uint8_t> kZeroReply(static_cast<std::size_t>(kReaderInputLength), 0);

std::vector<std::uint8_t> countingBytes(std::size_t count, std::uint8_t first) {
    std::vector<std::uint8_t> bytes(count);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

// The reader's answer to any output report: its own report ID, then the command echoed.
std::optional<std::vector<std::uint8_t>> echo(std::span<const std::uint8_t> report) {
    std::vector<std::uint8_t> answer(static_cast<std::size_t>(kReaderInputLength), 0);
    std::copy_n(report.begin(), std::min(report.size(), answer.size()), answer.begin());
    answer[0] = 0x02;
    return answer;
}

class TransferTest : public SimLinkTest {
protected:
    void connect(sim::VirtualDevice device) {
        reader_ = platform_.addDevice(std::move(device));
        ASSERT_TRUE(link_.FindTheHid());
        writer_ = link_.hidHandle();
        readHandle_ = link_.readHandle();
    }

    void expectDeviceLost() {
        EXPECT_FALSE(link_.deviceDetected());
        EXPECT_EQ(platform_.closeCount(writer_), 1);
        EXPECT_EQ(platform_.closeCount(readHandle_), 1);
        EXPECT_EQ(link_.hidHandle(), kNoHandle);
        EXPECT_EQ(link_.readHandle(), kNoHandle);
        EXPECT_FALSE(platform_.hasPendingRead());
    }

    std::size_t reader_ = 0;
    Handle writer_ = kNoHandle;
    Handle readHandle_ = kNoHandle;
};

// Caller's data of various lengths: the report is always outputReportLength bytes, report ID 1 first, the
// caller's bytes after it, zeros where the data ends early; the caller's last byte is never sent.
class OutputReportLayoutTest : public TransferTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(OutputReportLayoutTest, StartsWithReportIdOneFollowedByTheCallersBytes) {
    connect(virtualReader("/hid/reader"));
    const auto data = countingBytes(GetParam(), 0x10);

    const std::size_t before = observer_.calls.size();
    link_.WriteReport(data);

    EXPECT_EQ(callsSince(before), Calls{"WriteFile"});
    ASSERT_EQ(platform_.writtenReports().size(), 1U);
    const sim::WrittenReport& written = platform_.writtenReports()[0];
    EXPECT_EQ(written.handle, writer_);
    std::vector<std::uint8_t> expected(static_cast<std::size_t>(kReaderOutputLength), 0);
    expected[0] = OUTPUT_REPORT_ID;
    const std::size_t sent = std::min(data.size(), expected.size() - 1);
    std::copy_n(data.begin(), sent, expected.begin() + 1);
    EXPECT_EQ(written.bytes, expected);
}

INSTANTIATE_TEST_SUITE_P(Transfer, OutputReportLayoutTest,
                         ::testing::Values(static_cast<std::size_t>(kReaderOutputLength),      // as the frame buffer
                                           static_cast<std::size_t>(kReaderOutputLength - 1),  // the minimum
                                           std::size_t{5}));                                   // short: zero-padded

TEST_F(TransferTest, AnAnswerIsHandedBackWholeAndLeavesTheLinkAsItWas) {
    connect(virtualReader("/hid/reader", echo));
    const auto command = countingBytes(static_cast<std::size_t>(kReaderOutputLength), 0x40);
    link_.WriteReport(command);

    const std::size_t before = observer_.calls.size();
    std::vector<std::uint8_t> reply{0xEE};
    link_.ReadReport(reply);

    EXPECT_EQ(callsSince(before), (Calls{kKeep, "ReadFile", kKeep, "WaitForSingleObject", "ResetEvent"}));
    ASSERT_EQ(reply.size(), static_cast<std::size_t>(kReaderInputLength));
    EXPECT_EQ(reply[0], 0x02);
    EXPECT_EQ(reply[1], 0x40);
    EXPECT_TRUE(link_.deviceDetected());
    EXPECT_FALSE(platform_.isSignalled(link_.readEvent()));
    EXPECT_EQ(platform_.timeoutsAsked(), std::vector<std::uint32_t>{6000});
    EXPECT_EQ(platform_.openHandles().size(), 2U);
}

// Every way a read can end without a report: the read is abandoned, the device closed, the reply all zero.
struct MissingAnswer {
    const char* name;
    bool waitFails;
};

class MissingAnswerTest : public TransferTest, public ::testing::WithParamInterface<MissingAnswer> {};

TEST_P(MissingAnswerTest, ClosesTheDeviceAndGivesAnAllZeroReply) {
    sim::VirtualDevice silent = virtualReader("/hid/reader");
    silent.waitFails = GetParam().waitFails;
    connect(silent);

    const std::size_t before = observer_.calls.size();
    std::vector<std::uint8_t> reply;
    link_.ReadReport(reply);

    EXPECT_EQ(callsSince(before), (Calls{kKeep, "ReadFile", kKeep, "WaitForSingleObject", "CancelIo",
                                         "CloseHandle (HIDHandle)", "CloseHandle (ReadHandle)", "ResetEvent"}));
    EXPECT_EQ(reply, kZeroReply);
    EXPECT_EQ(platform_.timeoutsAsked(), std::vector<std::uint32_t>{6000});
    expectDeviceLost();
}

INSTANTIATE_TEST_SUITE_P(Transfer, MissingAnswerTest,
                         ::testing::Values(MissingAnswer{"NeverAnswers", false}, MissingAnswer{"WaitFails", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// After the device was closed, by a time-out or on request, the old handle values are never used again: a write
// sends nothing, a read fails at once, and a later close closes nothing twice.
class UseAfterCloseTest : public TransferTest, public ::testing::WithParamInterface<bool> {};

TEST_P(UseAfterCloseTest, WritesNothingAndReadsZerosAtOnce) {
    connect(virtualReader("/hid/reader"));
    std::vector<std::uint8_t> reply;
    const bool closedByTimeout = GetParam();
    if (closedByTimeout) {
        link_.ReadReport(reply);
    } else {
        link_.CloseDeviceHandles();
    }
    const std::size_t waits = platform_.timeoutsAsked().size();

    link_.WriteReport(countingBytes(static_cast<std::size_t>(kReaderOutputLength), 1));
    reply.assign(3, 0xEE);
    link_.ReadReport(reply);
    link_.CloseDeviceHandles();

    EXPECT_TRUE(platform_.writtenReports().empty());
    EXPECT_EQ(platform_.timeoutsAsked().size(), waits);
    EXPECT_EQ(reply, kZeroReply);
    EXPECT_EQ(platform_.staleHandleUses(), 0);
    expectDeviceLost();
}

INSTANTIATE_TEST_SUITE_P(Transfer, UseAfterCloseTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "AfterTimeout" : "AfterClose"; });

// The device let itself be opened once but refused the read handle: the first read fails at once, closes the
// write handle and clears deviceDetected.
TEST_F(TransferTest, WithoutAReadHandleTheFirstReadClosesTheWriteHandle) {
    sim::VirtualDevice reader = virtualReader("/hid/reader", echo);
    reader.opensGranted = 1;
    connect(reader);
    ASSERT_TRUE(isOpen(writer_));
    ASSERT_FALSE(isOpen(readHandle_));

    std::vector<std::uint8_t> reply;
    link_.ReadReport(reply);

    EXPECT_EQ(reply, kZeroReply);
    EXPECT_FALSE(link_.deviceDetected());
    EXPECT_EQ(platform_.closeCount(writer_), 1);
    EXPECT_TRUE(platform_.openHandles().empty());
    EXPECT_TRUE(platform_.timeoutsAsked().empty());
}

TEST_F(TransferTest, AReportWaitingBeforeTheCommandIsNotTakenForTheReply) {
    connect(virtualReader("/hid/reader", echo));
    std::vector<std::uint8_t> stale(static_cast<std::size_t>(kReaderInputLength), 0x77);
    platform_.queueInputReport(reader_, stale);

    link_.WriteReport(countingBytes(static_cast<std::size_t>(kReaderOutputLength), 0x40));
    std::vector<std::uint8_t> reply;
    link_.ReadReport(reply);

    ASSERT_EQ(reply.size(), static_cast<std::size_t>(kReaderInputLength));
    EXPECT_EQ(reply[1], 0x40);
    EXPECT_TRUE(link_.deviceDetected());
}

}  // namespace
}  // namespace cdr::hid::test
