#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "hid/hid_platform.h"

namespace cdr {

// Why a command to the reader failed, as the session saw it happen.
enum class FailureKind {
    NoAnswer,       // no reply within the read time-out
    Refused,        // the reply's status byte was not 0x50
    Gone,           // the reader went away while the command was under way
    NotTaken,       // the system could not hand the command to the reader
    CannotOpen,     // the reader could not be opened
    TooLong,        // the command does not fit the reader's output report; nothing was sent
    NotUnderstood,  // an accepted reply that does not stand for a value
    Differs,        // the settings read back after a write are not those written
};

struct ReaderFailure {
    FailureKind kind = FailureKind::NoAnswer;
    // The reply's status byte, for Refused.
    std::uint8_t status = 0;
    // The system's error, for Gone, NotTaken and CannotOpen.
    hid::SystemError cause;

    bool operator==(const ReaderFailure&) const = default;
};

// One line for a message, e.g. "the reader refused the command (status 0x4E)".
std::string failureText(const ReaderFailure& failure);
// A stable name for machine-readable output, e.g. "refused".
std::string_view failureKindName(FailureKind kind);

}  // namespace cdr
