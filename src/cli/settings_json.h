#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <variant>

#include "settings/reader_settings.h"

namespace cdr::cli {

// The reader's settings for --json, keys in the order of the settings file: "path" (the reader they came from,
// when there is one), "tracks" and the sentinel box states by name ("off", "on", "grayed"), "format" ("iso",
// "aamva") and "enterMode" ("none", "after-each-track", "after-card-data") by name, null when no option of the
// group is on, and the sentinel characters.
nlohmann::ordered_json settingsJson(const std::optional<std::string>& path, const ReaderSettings& settings);

// The settings a document of that form holds ("path" and unknown keys are passed over), or what is wrong with it.
std::variant<ReaderSettings, std::string> settingsFromJson(const nlohmann::ordered_json& document);

}  // namespace cdr::cli
