#include "settings/settings_file.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <vector>

#include "settings/code_page.h"

namespace cdr {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kLineEndCharacters = "\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kTrueText = "True";
constexpr std::string_view kFalseText = "False";

// Where each group of lines begins, counted from 0; the track lines begin at 0.
constexpr std::size_t kStartStateLine = 3;
constexpr std::size_t kStartTextLines = 4;
constexpr std::size_t kEndStateLine = 7;
constexpr std::size_t kEndTextLines = 8;
constexpr std::size_t kFormatLines = 11;
constexpr std::size_t kEnterLines = 13;

enum class LineKind { Check, Sentinel, Option };

constexpr std::array<LineKind, kSettingsFileLineCount> kLineKinds{
    LineKind::Check,    LineKind::Check,    LineKind::Check,    LineKind::Check,
    LineKind::Sentinel, LineKind::Sentinel, LineKind::Sentinel, LineKind::Check,
    LineKind::Sentinel, LineKind::Sentinel, LineKind::Sentinel, LineKind::Option,
    LineKind::Option,   LineKind::Option,   LineKind::Option,   LineKind::Option,
};

std::u16string asciiText(std::string_view text) { return {text.begin(), text.end()}; }

std::variant<std::string, RefusedSentinel> sentinelLine(SentinelField field, const std::u16string& text) {
    std::string line;
    for (const char16_t character : text) {
        if (character == u'\r' || character == u'\n') {
            return refuseSentinel(field, u"a line break cannot be saved.");
        }
        const auto byte = toCodePageByte(character);
        if (!byte) {
            return refuseSentinel(field, u"character cannot be saved.");
        }
        line += static_cast<char>(*byte);
    }
    return line;
}

void appendLine(std::string& file, std::string_view line) {
    file += line;
    file += kLineEnd;
}

// The three text lines of one sentinel kind, or the refusal for the first field that cannot be saved.
std::optional<RefusedSentinel> appendSentinelLines(std::string& file, SentinelKind kind,
                                                   const std::array<std::u16string, kTrackCount>& texts) {
    for (int track = 0; track < kTrackCount; ++track) {
        auto line = sentinelLine({kind, track}, texts[track]);
        if (auto* refused = std::get_if<RefusedSentinel>(&line)) return std::move(*refused);
        appendLine(file, std::get<std::string>(line));
    }
    return std::nullopt;
}

// The position after the line end that begins at `end` (CR LF, CR or LF).
std::size_t afterLineEnd(std::string_view bytes, std::size_t end) {
    return bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? end + 2 : end + 1;
}

std::vector<std::string_view> splitLines(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size() && lines.size() < kSettingsFileLineCount) {
        const std::size_t end = bytes.find_first_of(kLineEndCharacters, start);
        if (end == std::string_view::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = afterLineEnd(bytes, end);
    }
    return lines;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmedBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A whole number as a line holds it: blanks around it, a sign and leading zeros allowed; a fraction, an exponent
// or anything else is not a number here. Values past the int range stop at its ends, which no control takes.
std::optional<long> parseWholeNumber(std::string_view line) {
    std::string_view digits = trimmedBlanks(line);
    const bool negative = !digits.empty() && digits[0] == '-';
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) digits.remove_prefix(1);
    if (digits.empty() || !std::ranges::all_of(digits, isDigit)) return std::nullopt;
    constexpr long kLargest = std::numeric_limits<int>::max();
    long value = 0;
    for (const char digit : digits) value = std::min(kLargest, value * 10 + (digit - '0'));
    return negative ? -value : value;
}

std::optional<CheckState> parseCheckState(std::string_view line) {
    const auto number = parseWholeNumber(line);
    if (!number || *number < kUnchecked || *number > kGrayed) return std::nullopt;
    return static_cast<CheckState>(*number);
}

bool equalsIgnoringCase(std::string_view text, std::string_view word) {
    return std::ranges::equal(text, word, [](char a, char b) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(a) == lower(b);
    });
}

// "True" / "False" in any letter case, or a whole number: zero is false, anything else true.
std::optional<bool> parseOptionState(std::string_view line) {
    const std::string_view value = trimmedBlanks(line);
    if (equalsIgnoringCase(value, kTrueText)) return true;
    if (equalsIgnoringCase(value, kFalseText)) return false;
    const auto number = parseWholeNumber(value);
    if (!number) return std::nullopt;
    return *number != 0;
}

std::u16string firstCharacter(std::string_view line) {
    if (line.empty()) return {};
    return std::u16string(1, fromCodePageByte(static_cast<std::uint8_t>(line[0])));
}

// Setting an option on turns the others of its group off; setting it off touches no other option.
template <std::size_t N>
void setOption(std::array<bool, N>& group, std::size_t index, bool on) {
    if (on) group.fill(false);
    group[index] = on;
}

// Applies line `index` (from 0) to the settings; false when the line does not hold what its control takes.
bool applyLine(ReaderSettings& settings, std::size_t index, std::string_view line) {
    switch (kLineKinds[index]) {
    case LineKind::Check: {
        const auto state = parseCheckState(line);
        if (!state) return false;
        if (index < kStartStateLine)
            settings.trackEnabled[index] = *state;
        else if (index == kStartStateLine)
            settings.startSentinelEnabled = *state;
        else
            settings.endSentinelEnabled = *state;
        return true;
    }
    case LineKind::Sentinel: {
        auto& text = index < kEndStateLine ? settings.startSentinel[index - kStartTextLines]
                                           : settings.endSentinel[index - kEndTextLines];
        text = firstCharacter(line);
        return true;
    }
    case LineKind::Option: {
        const auto on = parseOptionState(line);
        if (!on) return false;
        if (index < kEnterLines)
            setOption(settings.formatOption, index - kFormatLines, *on);
        else
            setOption(settings.enterOption, index - kEnterLines, *on);
        return true;
    }
    }
    return false;
}

std::u16string decimal(std::size_t number) { return asciiText(std::to_string(number)); }

SettingsFileError badLine(std::size_t index) {
    const int line = static_cast<int>(index) + 1;
    const std::u16string_view expected = kLineKinds[index] == LineKind::Check ? u"0, 1 or 2" : u"True or False";
    return {SettingsFileError::Kind::BadLine, line,
            u"line " + decimal(index + 1) + u" must be " + std::u16string(expected)};
}

SettingsFileError tooFewLines(std::size_t count) {
    return {SettingsFileError::Kind::TooFewLines, static_cast<int>(count),
            decimal(count) + u" of " + decimal(kSettingsFileLineCount) + u" lines"};
}

// The lines of an option group that say true, counted from 1.
std::vector<int> trueLines(const std::vector<std::string_view>& lines, std::size_t first, std::size_t count) {
    std::vector<int> on;
    for (std::size_t index = first; index < first + count; ++index) {
        if (parseOptionState(lines[index]).value_or(false)) on.push_back(static_cast<int>(index) + 1);
    }
    return on;
}

std::vector<int> lineNumbers(std::size_t first, std::size_t count) {
    std::vector<int> numbers;
    for (std::size_t index = first; index < first + count; ++index) numbers.push_back(static_cast<int>(index) + 1);
    return numbers;
}

void checkOptionGroup(const std::vector<std::string_view>& lines, SettingsPart part, std::size_t first,
                      std::size_t count, std::vector<SettingsContradiction>& found) {
    const std::vector<int> on = trueLines(lines, first, count);
    const bool format = part == SettingsPart::Format;
    if (on.empty()) {
        found.push_back({part, lineNumbers(first, count),
                         format ? u"neither ISO nor AAMVA is chosen" : u"no Enter mode is chosen"});
    } else if (on.size() > 1) {
        found.push_back({part, on, format ? u"both ISO and AAMVA are chosen" : u"several Enter modes are chosen"});
    }
}

void checkSentinels(const std::vector<std::string_view>& lines, SentinelKind kind, std::size_t stateLine,
                    std::size_t firstText, std::vector<SettingsContradiction>& found) {
    const SettingsPart part = kind == SentinelKind::Start ? SettingsPart::StartSentinel : SettingsPart::EndSentinel;
    const bool ticked = parseCheckState(lines[stateLine]) == kChecked;
    for (int track = 0; track < kTrackCount; ++track) {
        const std::size_t index = firstText + static_cast<std::size_t>(track);
        const std::u16string caption = fieldCaption({kind, track});
        if (!ticked && !lines[index].empty()) {
            found.push_back({part,
                             {static_cast<int>(stateLine) + 1, static_cast<int>(index) + 1},
                             caption + u" is given while its box is not ticked"});
        }
        if (lines[index].size() > 1) {
            found.push_back({part, {static_cast<int>(index) + 1}, caption + u" has several characters"});
        }
    }
}

}  // namespace

std::variant<std::string, RefusedSentinel> encodeSettingsFile(const ReaderSettings& settings) {
    std::string file;
    for (const CheckState state : settings.trackEnabled) appendLine(file, std::to_string(state));
    appendLine(file, std::to_string(settings.startSentinelEnabled));
    if (auto refused = appendSentinelLines(file, SentinelKind::Start, settings.startSentinel)) return *refused;
    appendLine(file, std::to_string(settings.endSentinelEnabled));
    if (auto refused = appendSentinelLines(file, SentinelKind::End, settings.endSentinel)) return *refused;
    for (const bool on : settings.formatOption) appendLine(file, on ? kTrueText : kFalseText);
    for (const bool on : settings.enterOption) appendLine(file, on ? kTrueText : kFalseText);
    return file;
}

std::vector<SettingsContradiction> findContradictions(std::string_view bytes) {
    const auto lines = splitLines(bytes);
    std::vector<SettingsContradiction> found;
    if (lines.size() < kSettingsFileLineCount) return found;
    checkSentinels(lines, SentinelKind::Start, kStartStateLine, kStartTextLines, found);
    checkSentinels(lines, SentinelKind::End, kEndStateLine, kEndTextLines, found);
    checkOptionGroup(lines, SettingsPart::Format, kFormatLines, kFormatOptionCount, found);
    checkOptionGroup(lines, SettingsPart::EnterMode, kEnterLines, kEnterOptionCount, found);
    return found;
}

bool holdsAllLines(std::string_view bytes) {
    std::size_t ends = 0;
    for (std::size_t end = bytes.find_first_of(kLineEndCharacters); end != std::string_view::npos;
         end = bytes.find_first_of(kLineEndCharacters, afterLineEnd(bytes, end))) {
        if (++ends == kSettingsFileLineCount) return true;
    }
    return false;
}

std::variant<ReaderSettings, SettingsFileError> decodeSettingsFile(std::string_view bytes) {
    const auto lines = splitLines(bytes);
    if (lines.size() < kSettingsFileLineCount) return tooFewLines(lines.size());
    ReaderSettings settings;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        if (!applyLine(settings, index, lines[index])) return badLine(index);
    }
    return settings;
}

}  // namespace cdr
