#include "reader/reader_session.h"

#include "protocol/reader_commands.h"

namespace cdr {

ExchangeResult ReaderSession::exchange(std::span<const std::uint8_t> payload, std::vector<std::uint8_t>& reply) {
    const ExchangeResult result = exchangeCommand(link_, payload, reply);
    if (result != ExchangeResult::TooLong) {
        lastStatus_ = reply.size() > kReplyStatusIndex ? reply[kReplyStatusIndex] : 0;
    }
    return result;
}

template <typename Value, typename Decode>
ReaderAnswer<Value> ReaderSession::ask(std::span<const std::uint8_t> payload, Decode decode) {
    std::vector<std::uint8_t> reply;
    ReaderAnswer<Value> answer;
    answer.exchange = exchange(payload, reply);
    if (answer.exchange == ExchangeResult::Accepted) {
        answer.value = decode(reply);
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
    if (check.write == ExchangeResult::Accepted) {
        check.readBack = readSettingsBlock();
    }
    return check;
}

}  // namespace cdr
