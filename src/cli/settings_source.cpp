#include "cli/settings_source.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "cli/settings_json.h"
#include "cli/text_encoding.h"
#include "settings/settings_file.h"
#include "settings/settings_file_io.h"

namespace cdr::cli {

namespace {

constexpr const char* kBadFile = "bad-settings-file";

bool looksLikeJson(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    const auto first =
        std::ranges::find_if_not(bytes, [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
    return first != bytes.end() && *first == '{';
}

const char* jsonKey(SettingsPart part) {
    switch (part) {
    case SettingsPart::Format:
        return "format";
    case SettingsPart::EnterMode:
        return "enterMode";
    case SettingsPart::StartSentinel:
        return "startSentinel";
    case SettingsPart::EndSentinel:
        return "endSentinel";
    }
    return "";
}

std::string lineList(const std::vector<int>& lines) {
    std::string text = lines.size() == 1 ? "line " : "lines ";
    for (std::size_t index = 0; index < lines.size(); ++index) {
        text += (index == 0 ? "" : index + 1 == lines.size() ? " and " : ", ") + std::to_string(lines[index]);
    }
    return text;
}

// The refusal naming each contradiction by its lines, or for JSON by its key.
SettingsRefusal contradictionRefusal(const std::string& file, const std::vector<SettingsContradiction>& found,
                                     bool json) {
    std::string message = file + ": the settings contradict themselves (--force writes them as the window loads them):";
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const auto& contradiction : found) {
        const std::string where =
            json ? std::string("\"") + jsonKey(contradiction.part) + "\"" : lineList(contradiction.lines);
        const std::string what = utf16ToUtf8(contradiction.message);
        message += "\n  " + where + ": " + what;
        nlohmann::ordered_json entry = {{"key", jsonKey(contradiction.part)}, {"message", what}};
        if (!json) entry["lines"] = contradiction.lines;
        list.push_back(entry);
    }
    return {"contradictory-settings", message, {{"contradictions", list}}};
}

std::variant<std::string, SettingsRefusal> readBytes(const std::string& file, std::istream& standardInput) {
    if (file == "-") {
        // One byte past the limit tells whether the input goes on.
        std::string bytes;
        std::istreambuf_iterator<char> at(standardInput);
        for (const std::istreambuf_iterator<char> end; at != end && bytes.size() <= kMostSettingsFileBytes; ++at) {
            bytes += *at;
        }
        if (bytes.size() > kMostSettingsFileBytes) return SettingsRefusal{kBadFile, "standard input: too large"};
        return bytes;
    }
    auto bytes = readSettingsFileBytes(pathFromUtf8(file));
    if (const auto* failure = std::get_if<FileIoFailure>(&bytes)) {
        return SettingsRefusal{kBadFile,
                               "cannot read " + file + ": " + failure->step + ": " + utf16ToUtf8(failure->reason)};
    }
    return std::get<std::string>(std::move(bytes));
}

// The 16-line form of JSON settings, so that both forms are checked alike.
std::variant<std::string, SettingsRefusal> fileBytesOfJson(const std::string& file, const std::string& text) {
    nlohmann::ordered_json document;
    try {
        document = nlohmann::ordered_json::parse(text);
    } catch (const nlohmann::ordered_json::parse_error& error) {
        return SettingsRefusal{kBadFile, file + ": not valid JSON: " + error.what()};
    }
    auto settings = settingsFromJson(document);
    if (const auto* problem = std::get_if<std::string>(&settings))
        return SettingsRefusal{kBadFile, file + ": " + *problem};
    auto bytes = encodeSettingsFile(std::get<ReaderSettings>(settings));
    if (const auto* refused = std::get_if<RefusedSentinel>(&bytes)) {
        return SettingsRefusal{kBadFile, file + ": " + utf16ToUtf8(refused->message)};
    }
    return std::get<std::string>(std::move(bytes));
}

}  // namespace

std::variant<ReaderSettings, SettingsRefusal> loadSettings(const std::string& file, std::istream& standardInput,
                                                           bool force) {
    auto read = readBytes(file, standardInput);
    const std::string name = file == "-" ? "standard input" : file;
    if (auto* refusal = std::get_if<SettingsRefusal>(&read)) return std::move(*refusal);
    const bool json = looksLikeJson(std::get<std::string>(read));
    auto bytes = json ? fileBytesOfJson(name, std::get<std::string>(read)) : std::move(read);
    if (auto* refusal = std::get_if<SettingsRefusal>(&bytes)) return std::move(*refusal);
    const std::string& lines = std::get<std::string>(bytes);

    const auto decoded = decodeSettingsFile(lines);
    if (const auto* error = std::get_if<SettingsFileError>(&decoded)) {
        return SettingsRefusal{kBadFile, name + ": " + utf16ToUtf8(error->message)};
    }
    if (const auto found = findContradictions(lines); !found.empty() && !force) {
        return contradictionRefusal(name, found, json);
    }
    return std::get<ReaderSettings>(decoded);
}

}  // namespace cdr::cli
