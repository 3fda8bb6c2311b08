#include "hid/sim/virtual_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "hid/hid_link.h"
#include "protocol/command_frame.h"
#include "protocol/reader_commands.h"

namespace cdr::hid::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The output report the link writes for a payload: report ID 1, the frame, zeros up to 64 bytes.
Bytes request(const Bytes& payload) {
    return *buildReplyReport(payload, VirtualReader::kReportLength, OUTPUT_REPORT_ID);
}

const Bytes kVersionPayload{kVersionCommand.begin(), kVersionCommand.end()};
const Bytes kReadPayload{kReadSettingsCommand.begin(), kReadSettingsCommand.end()};

// The reply payload, status byte first, of a well-formed reply report.
Bytes replyPayload(const Bytes& reply) {
    EXPECT_EQ(reply.size(), static_cast<std::size_t>(VirtualReader::kReportLength));
    EXPECT_EQ(reply.at(0), VirtualReader::kInputReportId);
    return readCommandFrame(std::span(reply).subspan(1)).value_or(Bytes{});
}

struct BrokenRequest {
    const char* name;
    std::function<void(Bytes&)> breakIt;
    std::uint8_t status;
};

void PrintTo(const BrokenRequest& c, std::ostream* out) { *out << c.name; }

class BrokenRequestTest : public ::testing::TestWithParam<BrokenRequest> {};

TEST_P(BrokenRequestTest, IsAnsweredWithAFailureStatusAlone) {
    const BrokenRequest& c = GetParam();
    VirtualReader reader;
    Bytes report = request(kVersionPayload);
    c.breakIt(report);
    EXPECT_EQ(replyPayload(reader.answer(report)), Bytes{c.status});
}

INSTANTIATE_TEST_SUITE_P(
    Requests, BrokenRequestTest,
    ::testing::Values(BrokenRequest{"BadBcc", [](Bytes& r) { r[8] ^= 0x01; }, VirtualReader::kStatusBadFrame},
                      BrokenRequest{"BadEtx", [](Bytes& r) { r[7] = 0x04; }, VirtualReader::kStatusBadFrame},
                      BrokenRequest{"BadStx", [](Bytes& r) { r[1] = 0x05; }, VirtualReader::kStatusBadFrame},
                      BrokenRequest{"LenPastTheReport", [](Bytes& r) { r[2] = 0xFF; }, VirtualReader::kStatusBadFrame},
                      BrokenRequest{"WrongReportId", [](Bytes& r) { r[0] = 0x02; }, VirtualReader::kStatusBadFrame},
                      BrokenRequest{"EmptyReport", [](Bytes& r) { r.clear(); }, VirtualReader::kStatusBadFrame},
                      BrokenRequest{"UnknownCommand",
                                    [](Bytes& r) {
                                        r = request({0x43, 0x58, 0x30});
                                    },
                                    VirtualReader::kStatusRefused},
                      BrokenRequest{"VersionWithAnExtraByte",
                                    [](Bytes& r) {
                                        r = request({0x43, 0x56, 0x30, 0x00});
                                    },
                                    VirtualReader::kStatusRefused},
                      BrokenRequest{"WriteWithAShortBlock",
                                    [](Bytes& r) {
                                        r = request({0x43, 0x43, 0x57, 0x31, 0x31, 0x31});
                                    },
                                    VirtualReader::kStatusRefused}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VirtualReaderTest, VersionReplyCarriesTheVersionAtIndices11To14) {
    VirtualReader reader({'2', '.', '1', '0'});
    const Bytes reply = reader.answer(request(kVersionPayload));
    EXPECT_EQ(replyPayload(reply), (Bytes{0x50, 0x56, 0x30, 0x20, 0x20, 0x20, 0x20, 0x32, 0x2E, 0x31, 0x30}));
    EXPECT_EQ(Bytes(reply.begin() + 11, reply.begin() + 15), (Bytes{0x32, 0x2E, 0x31, 0x30}));
}

TEST(VirtualReaderTest, GivesBackTheFactoryBlockUntilAWriteReplacesIt) {
    VirtualReader reader;
    const auto factory = std::get<SettingsBlock>(encodeSettingsBlock(factorySettings()));
    const Bytes before = reader.answer(request(kReadPayload));
    EXPECT_EQ(Bytes(before.begin() + 7, before.begin() + 18), Bytes(factory.begin(), factory.end()));

    const SettingsBlock written{0x31, 0x32, 0x30, 0x25, 0x3B, 0x00, 0x3F, 0x3F, 0x00, 0x32, 0x32};
    EXPECT_EQ(replyPayload(reader.answer(request(writeSettingsPayload(written)))), (Bytes{0x50, 0x43, 0x57}));

    const Bytes after = reader.answer(request(kReadPayload));
    EXPECT_EQ(replyPayload(after).at(0), kStatusAccepted);
    EXPECT_EQ(Bytes(after.begin() + 7, after.begin() + 18), Bytes(written.begin(), written.end()));
}

}  // namespace
}  // namespace cdr::hid::sim
