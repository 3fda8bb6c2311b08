#include "reader/reader_session.h"

#include "protocol/reader_commands.h"

namespace cdr {

namespace {

// Why an exchange that was sent got no accepted reply: what happened on the link, else the reply's status.
ReaderFailure failureOfExchange(const hid::TransferOutcome& transfer, const std::vector<std::uint8_t>& reply) {
    switch (transfer.result) {
    case hid::TransferResult::NotOpen:
    case hid::TransferResult::TimedOut:
        return {FailureKind::NoAnswer, 0, {}};
    case hid::TransferResult::Gone:
        return {FailureKind::Gone, 0, transfer.cause};
    case hid::TransferResult::NotWritten:
        return {FailureKind::NotTaken, 0, transfer.cause};
    case hid::TransferResult::Done:
        break;
    }
    if (reply.size() <= kReplyStatusIndex) {
        return {FailureKind::NotUnderstood, 0, {}};
    }
    return {FailureKind::Refused, reply[kReplyStatusIndex], {}};
}

}  // namespace

std::optional<ReaderFailure> CheckedWrite::failure() const {
    if (writeFailure) return writeFailure;
    if (readBack.failure) return readBack.failure;
    if (!matches()) return ReaderFailure{FailureKind::Differs, 0, {}};
    return std::nullopt;
}

std::optional<ReaderFailure> ReaderSession::open(const std::string& path) {
    if (link_.openReader(path)) return std::nullopt;
    return ReaderFailure{FailureKind::CannotOpen, 0, link_.openError()};
}

ExchangeResult ReaderSession::exchange(std::span<const std::uint8_t> payload, std::vector<std::uint8_t>& reply) {
    const ExchangeResult result = exchangeCommand(link_, payload, reply);
    if (result != ExchangeResult::TooLong) {
        lastStatus_ = reply.size() > kReplyStatusIndex ? reply[kReplyStatusIndex] : 0;
    }
    switch (result) {
    case ExchangeResult::Accepted:
        lastFailure_.reset();
        break;
    case ExchangeResult::TooLong:
        lastFailure_ = ReaderFailure{FailureKind::TooLong, 0, {}};
        break;
    case ExchangeResult::Failed:
        lastFailure_ = failureOfExchange(link_.lastTransfer(), reply);
        break;
    }
    return result;
}

template <typename Value, typename Decode>
ReaderAnswer<Value> ReaderSession::ask(std::span<const std::uint8_t> payload, Decode decode) {
    std::vector<std::uint8_t> reply;
    ReaderAnswer<Value> answer;
    answer.exchange = exchange(payload, reply);
    answer.failure = lastFailure_;
    if (answer.exchange == ExchangeResult::Accepted) {
        answer.value = decode(reply);
        if (!answer.value) answer.failure = ReaderFailure{FailureKind::NotUnderstood, 0, {}};
    }
    return answer;
}

ExchangeResult ReaderSession::connect() {
    std::vector<std::uint8_t> reply;
    return exchange(kVersionCommand, reply);
}

ReaderAnswer<VersionBytes> ReaderSession::readVersion() {
    return ask<VersionBytes>(kVersionCommand, [](const auto& reply) { return versionBytes(reply); });
}

ReaderAnswer<ReaderSettings> ReaderSession::readSettings() {
    return ask<ReaderSettings>(kReadSettingsCommand, [](const auto& reply) { return decodeSettingsReply(reply); });
}

ReaderAnswer<SettingsBlock> ReaderSession::readSettingsBlock() {
    return ask<SettingsBlock>(kReadSettingsCommand, [](const auto& reply) { return settingsBlockOfReply(reply); });
}

ExchangeResult ReaderSession::writeSettings(const SettingsBlock& block) {
    std::vector<std::uint8_t> reply;
    return exchange(writeSettingsPayload(block), reply);
}

CheckedWrite ReaderSession::writeAndCheck(const SettingsBlock& block) {
    CheckedWrite check;
    check.written = block;
    check.write = writeSettings(block);
    check.writeFailure = lastFailure_;
    if (check.write == ExchangeResult::Accepted) {
        check.readBack = readSettingsBlock();
    }
    return check;
}

}  // namespace cdr
