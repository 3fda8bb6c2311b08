#include "protocol/reader_reply.h"

#include <algorithm>

#include "protocol/command_frame.h"
#include "settings/code_page.h"

namespace cdr {

bool isReplyAccepted(std::span<const std::uint8_t> reply) {
    return reply.size() > kReplyStatusIndex && reply[kReplyStatusIndex] == kStatusAccepted;
}

std::optional<VersionBytes> versionBytes(std::span<const std::uint8_t> reply) {
    if (reply.size() < kReplyVersionIndex + kVersionLength) return std::nullopt;
    VersionBytes version{};
    std::copy_n(reply.begin() + kReplyVersionIndex, kVersionLength, version.begin());
    return version;
}

std::u16string versionText(const VersionBytes& version) {
    std::u16string text(kVersionPrefix);
    for (const std::uint8_t byte : version) {
        text += fromCodePageByte(byte);
    }
    return text;
}

std::optional<std::vector<std::uint8_t>> buildReplyReport(std::span<const std::uint8_t> replyPayload,
                                                          std::int16_t inputReportLength, std::uint8_t reportId) {
    // The same frame a command gets, shifted behind the report ID; the buffer's last position falls away.
    auto report = buildFrameBuffer(replyPayload, inputReportLength);
    if (!report) return std::nullopt;
    report->pop_back();
    report->insert(report->begin(), reportId);
    return report;
}

}  // namespace cdr
