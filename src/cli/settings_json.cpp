#include "cli/settings_json.h"

#include <algorithm>
#include <array>
#include <span>

#include "cli/text_encoding.h"

namespace cdr::cli {

namespace {

constexpr std::array<const char*, 3> kStateNames{"off", "on", "grayed"};
constexpr std::array<const char*, kFormatOptionCount> kFormatNames{"iso", "aamva"};
constexpr std::array<const char*, kEnterOptionCount> kEnterNames{"none", "after-each-track", "after-card-data"};

template <std::size_t Count>
nlohmann::ordered_json optionName(const std::array<bool, Count>& options, const std::array<const char*, Count>& names) {
    const auto on = std::find(options.begin(), options.end(), true);
    return on == options.end() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(names[on - options.begin()]);
}

nlohmann::ordered_json stateName(CheckState state) {
    return state >= kUnchecked && state <= kGrayed ? nlohmann::ordered_json(kStateNames[state])
                                                   : nlohmann::ordered_json(state);
}

nlohmann::ordered_json sentinels(CheckState enabled, const std::array<std::u16string, kTrackCount>& characters) {
    nlohmann::ordered_json texts = nlohmann::ordered_json::array();
    for (const auto& character : characters) {
        texts.push_back(utf16ToUtf8(character));
    }
    return {{"state", stateName(enabled)}, {"characters", texts}};
}

// The index of `value` among `names`; nothing when it is none of them.
std::optional<std::size_t> nameIndex(const nlohmann::ordered_json& value, std::span<const char* const> names) {
    if (!value.is_string()) return std::nullopt;
    const auto found = std::ranges::find(names, value.get<std::string>());
    if (found == names.end()) return std::nullopt;
    return static_cast<std::size_t>(found - names.begin());
}

std::string choices(std::span<const char* const> names) {
    std::string text;
    for (const char* name : names) text += (text.empty() ? "\"" : ", \"") + std::string(name) + "\"";
    return text;
}

std::optional<std::string> readTracks(const nlohmann::ordered_json& value, ReaderSettings& settings) {
    const std::string problem = "\"tracks\" must be a list of three of " + choices(kStateNames);
    if (!value.is_array() || value.size() != kTrackCount) return problem;
    for (int track = 0; track < kTrackCount; ++track) {
        const auto state = nameIndex(value[track], kStateNames);
        if (!state) return problem;
        settings.trackEnabled[track] = static_cast<CheckState>(*state);
    }
    return std::nullopt;
}

template <std::size_t Count>
std::optional<std::string> readOption(const char* key, const std::array<const char*, Count>& names,
                                      const nlohmann::ordered_json& value, std::array<bool, Count>& options) {
    options.fill(false);
    if (value.is_null()) return std::nullopt;
    const auto index = nameIndex(value, names);
    if (!index) return "\"" + std::string(key) + "\" must be one of " + choices(names) + " or null";
    options[*index] = true;
    return std::nullopt;
}

std::optional<std::string> readSentinels(const char* key, const nlohmann::ordered_json& value, CheckState& state,
                                         std::array<std::u16string, kTrackCount>& characters) {
    const std::string problem = "\"" + std::string(key) + "\" must hold \"state\" (" + choices(kStateNames) +
                                ") and \"characters\" (three texts of at most one character)";
    if (!value.is_object() || !value.contains("state") || !value.contains("characters")) return problem;
    const auto index = nameIndex(value.at("state"), kStateNames);
    const nlohmann::ordered_json& texts = value.at("characters");
    if (!index || !texts.is_array() || texts.size() != kTrackCount) return problem;
    state = static_cast<CheckState>(*index);
    for (int track = 0; track < kTrackCount; ++track) {
        if (!texts[track].is_string()) return problem;
        const auto text = utf8ToUtf16(texts[track].get<std::string>());
        if (!text || text->size() > 1) return problem;
        characters[track] = *text;
    }
    return std::nullopt;
}

}  // namespace

nlohmann::ordered_json settingsJson(const std::optional<std::string>& path, const ReaderSettings& settings) {
    nlohmann::ordered_json document = nlohmann::ordered_json::object();
    if (path) document["path"] = *path;
    nlohmann::ordered_json tracks = nlohmann::ordered_json::array();
    for (const CheckState state : settings.trackEnabled) tracks.push_back(stateName(state));
    document["tracks"] = tracks;
    document["format"] = optionName(settings.formatOption, kFormatNames);
    document["startSentinel"] = sentinels(settings.startSentinelEnabled, settings.startSentinel);
    document["endSentinel"] = sentinels(settings.endSentinelEnabled, settings.endSentinel);
    document["enterMode"] = optionName(settings.enterOption, kEnterNames);
    return document;
}

std::variant<ReaderSettings, std::string> settingsFromJson(const nlohmann::ordered_json& document) {
    if (!document.is_object()) return std::string("the settings must be a JSON object");
    for (const char* key : {"tracks", "format", "startSentinel", "endSentinel", "enterMode"}) {
        if (!document.contains(key)) return "\"" + std::string(key) + "\" is missing";
    }
    ReaderSettings settings;
    std::optional<std::string> problem = readTracks(document.at("tracks"), settings);
    if (!problem) problem = readOption("format", kFormatNames, document.at("format"), settings.formatOption);
    if (!problem) {
        problem = readSentinels("startSentinel", document.at("startSentinel"), settings.startSentinelEnabled,
                                settings.startSentinel);
    }
    if (!problem) {
        problem =
            readSentinels("endSentinel", document.at("endSentinel"), settings.endSentinelEnabled, settings.endSentinel);
    }
    if (!problem) problem = readOption("enterMode", kEnterNames, document.at("enterMode"), settings.enterOption);
    if (problem) return *problem;
    return settings;
}

}  // namespace cdr::cli
