#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "hid/hid_link.h"
#include "protocol/reader_reply.h"
#include "protocol/settings_block.h"
#include "reader/reader_exchange.h"
#include "reader/reader_failure.h"
#include "settings/reader_settings.h"

namespace cdr {

// How one command went, and what its reply stood for: value is empty when the exchange failed or when an
// accepted reply could not stand for a value (too short, or bytes outside their range); failure then says why.
template <typename Value>
struct ReaderAnswer {
    ExchangeResult exchange = ExchangeResult::Failed;
    std::optional<Value> value;
    std::optional<ReaderFailure> failure;

    bool ok() const { return exchange == ExchangeResult::Accepted && value.has_value(); }
};

// A write of the settings block followed by a read-back of the reader's settings.
struct CheckedWrite {
    SettingsBlock written{};
    ExchangeResult write = ExchangeResult::Failed;
    std::optional<ReaderFailure> writeFailure;
    ReaderAnswer<SettingsBlock> readBack;

    // The reader took the block and gives the same eleven bytes back.
    bool matches() const { return write == ExchangeResult::Accepted && readBack.ok() && *readBack.value == written; }
    // Why the check failed: the write's failure, the read-back's, or settings that differ; nothing when it matched.
    std::optional<ReaderFailure> failure() const;
};

// The reader's commands over an open link: the Connect handshake, the version, reading and writing the settings
// block, and a write that reads back and compares. Each command is one request and one reply; a reply that does not
// come within the link's time-out closes the link (deviceDetected() turns false).
class ReaderSession {
public:
    explicit ReaderSession(hid::HidLink& link) : link_(link) {}

    hid::HidLink& link() { return link_; }

    // Opens the reader at a device path (without the handshake); the failure says why it could not be.
    std::optional<ReaderFailure> open(const std::string& path);

    // One exchange: the payload framed in one output report, one input report back in reply.
    ExchangeResult exchange(std::span<const std::uint8_t> payload, std::vector<std::uint8_t>& reply);
    // The handshake a reader must accept before it counts as connected.
    ExchangeResult connect();
    ReaderAnswer<VersionBytes> readVersion();
    ReaderAnswer<ReaderSettings> readSettings();
    ReaderAnswer<SettingsBlock> readSettingsBlock();
    ExchangeResult writeSettings(const SettingsBlock& block);
    // Writes the block, then reads the settings back; the read-back is made only when the write was accepted.
    CheckedWrite writeAndCheck(const SettingsBlock& block);
    // The status byte of the last reply (0 when it was too short to hold one).
    std::uint8_t lastStatus() const { return lastStatus_; }
    // Why the last exchange failed, as it happened; nothing when it was accepted.
    const std::optional<ReaderFailure>& lastFailure() const { return lastFailure_; }

private:
    template <typename Value, typename Decode>
    ReaderAnswer<Value> ask(std::span<const std::uint8_t> payload, Decode decode);

    hid::HidLink& link_;
    std::uint8_t lastStatus_ = 0;
    std::optional<ReaderFailure> lastFailure_;
};

}  // namespace cdr
