#include "reader/reader_failure.h"

#include <cstdio>

#include "hid/hid_link.h"

namespace cdr {

namespace {

std::string withCause(std::string text, const hid::SystemError& cause) {
    return cause.text.empty() ? text : text + " (" + cause.text + ")";
}

}  // namespace

std::string failureText(const ReaderFailure& failure) {
    switch (failure.kind) {
    case FailureKind::NoAnswer:
        return "no answer within " + std::to_string(hid::READ_TIMEOUT_MS) + " ms";
    case FailureKind::Refused: {
        char text[64];
        std::snprintf(text, sizeof text, "the reader refused the command (status 0x%02X)", failure.status);
        return text;
    }
    case FailureKind::Gone:
        return withCause("the reader went away", failure.cause);
    case FailureKind::NotTaken:
        return withCause("the command could not be sent to the reader", failure.cause);
    case FailureKind::CannotOpen:
        return withCause("cannot open the reader", failure.cause);
    case FailureKind::TooLong:
        return "the command does not fit the reader's report";
    case FailureKind::NotUnderstood:
        return "the reader's reply was not understood";
    case FailureKind::Differs:
        break;
    }
    return "the settings read back differ from those written";
}

std::string_view failureKindName(FailureKind kind) {
    switch (kind) {
    case FailureKind::NoAnswer:
        return "no-answer";
    case FailureKind::Refused:
        return "refused";
    case FailureKind::Gone:
        return "gone";
    case FailureKind::NotTaken:
        return "not-taken";
    case FailureKind::CannotOpen:
        return "cannot-open";
    case FailureKind::TooLong:
        return "too-long";
    case FailureKind::NotUnderstood:
        return "not-understood";
    case FailureKind::Differs:
        break;
    }
    return "differs";
}

}  // namespace cdr
