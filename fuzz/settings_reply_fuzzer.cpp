// Any bytes as the input report that answers a command: the status test, the version text, the frame reader and
// the settings a "Read Setting Config" reply puts into the controls.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <variant>

#include "fuzz_check.h"
#include "protocol/command_frame.h"
#include "protocol/reader_reply.h"
#include "protocol/settings_block.h"

namespace {

using cdr::fuzz::require;

void checkFrame(std::span<const std::uint8_t> reply) {
    if (reply.empty()) return;
    const auto frame = reply.subspan(1);
    const auto payload = cdr::readCommandFrame(frame);
    if (!payload) return;
    require(payload->size() + cdr::kFrameOverhead <= frame.size(), "a frame lies inside the report");
    require(std::ranges::equal(*payload, frame.subspan(cdr::kFramePayloadIndex, payload->size())),
            "the payload is the frame's own bytes");
}

// Whatever the reader reports can be written back to it: the settings encode without refusal, to the same track
// and Enter digits.
void checkWriteBack(std::span<const std::uint8_t> reply, const cdr::ReaderSettings& settings) {
    const auto encoded = cdr::encodeSettingsBlock(settings);
    const auto* block = std::get_if<cdr::SettingsBlock>(&encoded);
    require(block != nullptr, "settings read from the reader can be written back");
    const auto received = reply.subspan(cdr::kReplySettingsBlockIndex, cdr::kSettingsBlockSize);
    require(std::ranges::equal(std::span(*block).first(cdr::kBlockStartSentinels),
                               received.first(cdr::kBlockStartSentinels)),
            "track states are written back as read");
    require((*block)[cdr::kBlockEnter] == received[cdr::kBlockEnter], "the Enter option is written back as read");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> reply(data, size);
    const bool accepted = cdr::isReplyAccepted(reply);
    require(!accepted || reply[cdr::kReplyStatusIndex] == cdr::kStatusAccepted, "only status P is accepted");
    if (const auto version = cdr::versionBytes(reply)) {
        require(cdr::versionText(*version).size() == cdr::kVersionPrefix.size() + cdr::kVersionLength,
                "version text length");
    }
    checkFrame(reply);
    if (const auto settings = cdr::decodeSettingsReply(reply)) {
        checkWriteBack(reply, *settings);
    }
    return 0;
}
