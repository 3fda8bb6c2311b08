#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "settings/reader_settings.h"
#include "settings/sentinel_field.h"

namespace cdr {

// A settings file holds one ReaderSettings as 16 lines in the code page, one control per line: the three track
// states, the start sentinel state and its three texts, the end sentinel state and its three texts, then the
// states of the options ISO, AAMVA, Enter none, Enter after each track, Enter after card data.
inline constexpr int kSettingsFileLineCount = 16;

// The file's bytes: check states in decimal, sentinel texts unchanged, options "True" or "False", each line ended
// by CR LF. Refused when a sentinel text holds CR or LF (it would split its line) or a character outside the code
// page.
std::variant<std::string, RefusedSentinel> encodeSettingsFile(const ReaderSettings& settings);

struct SettingsFileError {
    enum class Kind { TooFewLines, BadLine };
    Kind kind = Kind::BadLine;
    // BadLine: the line at fault, counted from 1. TooFewLines: how many lines the file has.
    int line = 0;
    // A short phrase for the status label: "line 2 must be 0, 1 or 2", or "15 of 16 lines".
    std::u16string message;

    bool operator==(const SettingsFileError&) const = default;
};

// The settings the window's controls hold after applying the file's 16 lines in order, or why the file cannot be
// applied; all or nothing. A line ends at CR LF or at a lone CR (a lone LF is part of the line), the last line may
// end at the end of the data, and anything after the 16th line is ignored. Numbers may have blanks around them, a
// sign and leading zeros, but no fraction. Check lines take the numbers 0, 1 and 2; option lines take "True" or
// "False" in any letter case (blanks around allowed) or a number (0 false, any other true); a sentinel
// line gives its first character. In each option group the option named by the last true line is on, the
// others off; a group whose lines are all false has no option on.
std::variant<ReaderSettings, SettingsFileError> decodeSettingsFile(std::string_view bytes);

}  // namespace cdr
