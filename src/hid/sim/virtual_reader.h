#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "hid/sim/sim_hid_platform.h"
#include "protocol/reader_reply.h"
#include "protocol/settings_block.h"

namespace cdr::hid::sim {

// A model of the card reader for the simulated platform: VendorID 0xFFFF, ProductID 0xFFFC, 64-byte input and
// output reports (report ID included). It answers every output report with exactly one input report:
//
//   index  0      report ID kInputReportId
//          1      STX
//          2, 3   LEN = reply payload count + 1, high byte first
//          4 ..   the reply payload, then ETX and BCC as in a command frame, zeros behind
//
// The reply payload starts with the status byte at index 4: 0x50 "P" when the command was accepted,
// kStatusBadFrame when the output report is not report ID 1 carrying a well-formed frame (STX, LEN, ETX, BCC),
// kStatusRefused for an unknown or malformed command. A failure reply carries the status alone. An accepted reply
// goes on with the command's second and third characters echoed at indices 5 and 6, then:
//
//   "CV0"  indices 7 .. 10 four blanks, 11 .. 14 the four version characters (e.g. "1.05")
//   "CCR"  indices 7 .. 17 the stored settings block
//   "CCW"  nothing more; the 11-byte block that follows "CCW" is stored and given back by the next "CCR"
//
// The reader starts with the factory settings.
class VirtualReader {
public:
    static constexpr std::int16_t kReportLength = 64;
    static constexpr std::uint8_t kInputReportId = 0x01;
    static constexpr std::uint8_t kStatusBadFrame = 0x46;  // "F"
    static constexpr std::uint8_t kStatusRefused = 0x4E;   // "N"
    using Version = std::array<char, kVersionLength>;

    explicit VirtualReader(Version version = {'1', '.', '0', '5'});
    VirtualReader(const VirtualReader&) = delete;
    VirtualReader& operator=(const VirtualReader&) = delete;

    // The device to add to a SimHidPlatform at the given path; it answers through this reader, which must
    // outlive the platform's use of it.
    VirtualDevice device(std::string path);

    // The input report that answers one output report (index 0 the report ID).
    std::vector<std::uint8_t> answer(std::span<const std::uint8_t> outputReport);

    const SettingsBlock& settingsBlock() const { return settings_; }
    // Puts back settings the reader kept from an earlier run.
    void restoreSettings(const SettingsBlock& settings) { settings_ = settings; }

private:
    // Carries out a well-formed command and gives the reply payload, status byte first.
    std::vector<std::uint8_t> replyPayloadFor(std::span<const std::uint8_t> command);

    Version version_;
    SettingsBlock settings_;
};

}  // namespace cdr::hid::sim
