#pragma once

#include <string>
#include <string_view>

namespace cdr {

enum class SentinelKind { Start, End };

// One of the six sentinel text fields: the start or end sentinel of track index 0, 1 or 2.
struct SentinelField {
    SentinelKind kind = SentinelKind::Start;
    int track = 0;

    bool operator==(const SentinelField&) const = default;
};

// The field as the user sees it, e.g. "Track Start Sentinel, Track2".
std::u16string fieldCaption(SentinelField field);

// A sentinel character that cannot go where it was asked to (the reader or a settings file): the field it sits in
// and a one-line status text that names that field.
struct RefusedSentinel {
    SentinelField field;
    std::u16string message;

    bool operator==(const RefusedSentinel&) const = default;
};

// The refusal for a field, its message being the field's caption followed by the reason.
RefusedSentinel refuseSentinel(SentinelField field, std::u16string_view reason);

}  // namespace cdr
