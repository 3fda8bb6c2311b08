#include "protocol/settings_block.h"

#include <algorithm>
#include <string>

#include "protocol/reader_reply.h"
#include "settings/code_page.h"

namespace cdr {

namespace {

constexpr std::size_t kSettingsReplyLength = kReplySettingsBlockIndex + kSettingsBlockSize;

// A state or option index as its decimal digit character.
std::uint8_t digitByte(int value) { return static_cast<std::uint8_t>(std::to_string(value).front()); }

// The value of a digit byte 0x30 .. 0x32, the only values a track state or Enter option index takes.
std::optional<int> smallDigit(std::uint8_t byte) {
    if (byte < '0' || byte > '2') return std::nullopt;
    return byte - '0';
}

bool isBlank(const std::u16string& text) {
    return std::ranges::all_of(text, [](char16_t character) { return character == u' '; });
}

// Writes the three sentinel bytes of one kind at block[offset]; a refusal when a ticked field's character has no
// single byte in the code page.
std::optional<RefusedSentinel> encodeSentinels(SettingsBlock& block, std::size_t offset, SentinelKind kind,
                                               CheckState enabled,
                                               const std::array<std::u16string, kTrackCount>& texts) {
    if (!isOn(enabled)) return std::nullopt;
    for (int track = 0; track < kTrackCount; ++track) {
        const std::u16string& text = texts[track];
        if (isBlank(text)) continue;
        const auto byte = toCodePageByte(text.front());
        if (!byte) return refuseSentinel({kind, track}, u"character cannot be sent.");
        block[offset + track] = *byte;
    }
    return std::nullopt;
}

// Fills the three texts from their bytes and returns the box state: ticked when any byte is non-zero.
CheckState decodeSentinels(std::span<const std::uint8_t, kTrackCount> bytes,
                           std::array<std::u16string, kTrackCount>& texts) {
    bool any = false;
    for (int track = 0; track < kTrackCount; ++track) {
        const std::uint8_t byte = bytes[track];
        texts[track] = byte == 0x00 ? std::u16string() : std::u16string(1, fromCodePageByte(byte));
        any = any || byte != 0x00;
    }
    return any ? kChecked : kUnchecked;
}

}  // namespace

std::variant<SettingsBlock, RefusedSentinel> encodeSettingsBlock(const ReaderSettings& settings) {
    SettingsBlock block{};
    for (int track = 0; track < kTrackCount; ++track) {
        block[kBlockTracks + track] = digitByte(settings.trackEnabled[track]);
    }
    if (auto refused = encodeSentinels(block, kBlockStartSentinels, SentinelKind::Start, settings.startSentinelEnabled,
                                       settings.startSentinel)) {
        return *refused;
    }
    if (auto refused = encodeSentinels(block, kBlockEndSentinels, SentinelKind::End, settings.endSentinelEnabled,
                                       settings.endSentinel)) {
        return *refused;
    }
    const auto enter = std::ranges::find(settings.enterOption, true);
    if (enter != settings.enterOption.end()) {
        block[kBlockEnter] = digitByte(static_cast<int>(enter - settings.enterOption.begin()));
    }
    const bool aamva = settings.formatOption[static_cast<int>(ReadFormat::AAMVA)];
    block[kBlockFormat] = aamva ? kFormatAamvaByte : kFormatIsoByte;
    return block;
}

std::optional<ReaderSettings> decodeSettingsReply(std::span<const std::uint8_t> reply) {
    if (reply.size() < kSettingsReplyLength) return std::nullopt;
    const auto block = reply.subspan<kReplySettingsBlockIndex, kSettingsBlockSize>();

    ReaderSettings settings;
    for (int track = 0; track < kTrackCount; ++track) {
        const auto state = smallDigit(block[kBlockTracks + track]);
        if (!state) return std::nullopt;
        settings.trackEnabled[track] = static_cast<CheckState>(*state);
    }
    const auto enter = smallDigit(block[kBlockEnter]);
    if (!enter) return std::nullopt;

    settings.startSentinelEnabled =
        decodeSentinels(block.subspan<kBlockStartSentinels, kTrackCount>(), settings.startSentinel);
    settings.endSentinelEnabled =
        decodeSentinels(block.subspan<kBlockEndSentinels, kTrackCount>(), settings.endSentinel);
    settings.enterOption = {};
    settings.enterOption[*enter] = true;
    const bool iso = block[kBlockFormat] == kFormatIsoByte;
    settings.formatOption = {iso, !iso};
    return settings;
}

std::optional<SettingsBlock> settingsBlockOfReply(std::span<const std::uint8_t> reply) {
    if (reply.size() < kSettingsReplyLength) return std::nullopt;
    SettingsBlock block{};
    std::copy_n(reply.begin() + kReplySettingsBlockIndex, kSettingsBlockSize, block.begin());
    return block;
}

}  // namespace cdr
