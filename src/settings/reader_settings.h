#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace cdr {

// A check box's state as the window holds it. A user's click gives only 0 or 1; 2 (grayed) comes only from a
// settings file or a reader. Wherever an on/off decision is made, only kChecked counts as on.
using CheckState = std::int16_t;
inline constexpr CheckState kUnchecked = 0;
inline constexpr CheckState kChecked = 1;
inline constexpr CheckState kGrayed = 2;

inline constexpr int kTrackCount = 3;

// Option indices inside their groups, as stored in settings files and sent to the reader.
enum class ReadFormat : int { ISO = 0, AAMVA = 1 };
enum class EnterMode : int { EnterNone = 0, EnterAfterEachTrack = 1, EnterAfterCardData = 2 };
inline constexpr int kFormatOptionCount = 2;
inline constexpr int kEnterOptionCount = 3;

// The reader's settings exactly as the settings controls of the window hold them. Index i of every array is
// track i + 1. Option groups keep one state per option, because a settings file can leave a group with no option
// on. A sentinel text is one character or empty; it keeps its character while its check box is off.
// The default value is the factory setting: all tracks on, ISO, no sentinels, Enter after each track.
struct ReaderSettings {
    std::array<CheckState, kTrackCount> trackEnabled{kChecked, kChecked, kChecked};
    std::array<bool, kFormatOptionCount> formatOption{true, false};  // ISO, AAMVA
    CheckState startSentinelEnabled = kUnchecked;
    std::array<std::u16string, kTrackCount> startSentinel;
    CheckState endSentinelEnabled = kUnchecked;
    std::array<std::u16string, kTrackCount> endSentinel;
    std::array<bool, kEnterOptionCount> enterOption{false, true, false};  // None, after each track, after card

    bool operator==(const ReaderSettings&) const = default;
};

inline ReaderSettings factorySettings() { return {}; }

inline bool isOn(CheckState state) { return state == kChecked; }

}  // namespace cdr
