#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

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
// applied; all or nothing. A UTF-8 byte-order mark before the first line is passed over. A line ends at CR LF, at
// a lone CR or at a lone LF (files written on Linux), the last line may end at the end of the data, and anything after
// the 16th line is ignored. Numbers may have blanks around them, a sign and leading zeros, but no fraction. Check lines
// take the numbers 0, 1 and 2; option lines take "True" or "False" in any letter case (blanks around allowed) or a
// number (0 false, any other true); a sentinel line gives its first character. In each option group the option named by
// the last true line is on, the others off; a group whose lines are all false has no option on.
std::variant<ReaderSettings, SettingsFileError> decodeSettingsFile(std::string_view bytes);

// What a contradiction in a settings file is about.
enum class SettingsPart { Format, EnterMode, StartSentinel, EndSentinel };

// A file that decodes but says two things at once, or something the settings do not keep: the window applies it
// as it applies any file, and what reaches the reader is then not what the file says.
struct SettingsContradiction {
    SettingsPart part = SettingsPart::Format;
    std::vector<int> lines;  // counted from 1
    std::u16string message;  // e.g. "neither ISO nor AAMVA is chosen"

    bool operator==(const SettingsContradiction&) const = default;
};

// The contradictions of a file that decodes, in line order of their first line: an option group with no line or
// several lines true, a sentinel given while its box is not ticked, a sentinel line of several characters.
std::vector<SettingsContradiction> findContradictions(std::string_view bytes);

// Whether the bytes hold the line ends of all 16 lines, so that what follows them does not matter.
bool holdsAllLines(std::string_view bytes);

}  // namespace cdr
