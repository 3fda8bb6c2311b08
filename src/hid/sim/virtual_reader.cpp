#include "hid/sim/virtual_reader.h"

#include <algorithm>
#include <optional>
#include <variant>

#include "hid/hid_link.h"
#include "protocol/command_frame.h"
#include "protocol/reader_commands.h"

namespace cdr::hid::sim {

namespace {

constexpr std::size_t kCommandSize = kVersionCommand.size();
// An accepted reply's data follows the status and the two echoed command characters.
constexpr std::size_t kReplyDataIndex = kReplyStatusIndex + kCommandSize;
static_assert(kReplyDataIndex == kReplySettingsBlockIndex);
constexpr std::uint8_t kVersionFiller = 0x20;
constexpr std::size_t kVersionFillerCount = kReplyVersionIndex - kReplyDataIndex;

bool isCommand(std::span<const std::uint8_t> payload, std::span<const std::uint8_t, kCommandSize> command,
               std::size_t size) {
    return payload.size() == size && std::ranges::equal(payload.first(kCommandSize), command);
}

}  // namespace

VirtualReader::VirtualReader(Version version)
    : version_(version), settings_(std::get<SettingsBlock>(encodeSettingsBlock(factorySettings()))) {}

VirtualDevice VirtualReader::device(std::string path) {
    VirtualDevice device;
    device.identity = DeviceAttributes{READER_VENDOR_ID, READER_PRODUCT_ID, 0x0100};
    device.path = std::move(path);
    device.capabilities = Capabilities{kReportLength, kReportLength};
    device.responder = [this](std::span<const std::uint8_t> report) -> std::optional<std::vector<std::uint8_t>> {
        return answer(report);
    };
    return device;
}

std::vector<std::uint8_t> VirtualReader::answer(std::span<const std::uint8_t> outputReport) {
    std::optional<std::vector<std::uint8_t>> command;
    if (!outputReport.empty() && outputReport[0] == OUTPUT_REPORT_ID) {
        command = readCommandFrame(outputReport.subspan(1));
    }
    const std::vector<std::uint8_t> replyPayload =
        command ? replyPayloadFor(*command) : std::vector<std::uint8_t>{kStatusBadFrame};
    // Every reply payload of this reader fits a 64-byte report.
    return *buildReplyReport(replyPayload, kReportLength, kInputReportId);
}

std::vector<std::uint8_t> VirtualReader::replyPayloadFor(std::span<const std::uint8_t> command) {
    std::vector<std::uint8_t> payload;
    if (isCommand(command, kVersionCommand, kCommandSize)) {
        payload.assign(kVersionFillerCount, kVersionFiller);
        payload.insert(payload.end(), version_.begin(), version_.end());
    } else if (isCommand(command, kReadSettingsCommand, kCommandSize)) {
        payload.assign(settings_.begin(), settings_.end());
    } else if (isCommand(command, kWriteSettingsCommand, kCommandSize + kSettingsBlockSize)) {
        std::copy_n(command.begin() + kCommandSize, kSettingsBlockSize, settings_.begin());
    } else {
        return {kStatusRefused};
    }
    payload.insert(payload.begin(), {kStatusAccepted, command[1], command[2]});
    return payload;
}

}  // namespace cdr::hid::sim
