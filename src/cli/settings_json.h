#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "settings/reader_settings.h"

namespace cdr::cli {

// The reader's settings for --json: tracks as check states, the format and Enter mode by name (null when no
// option of the group is on), sentinel states and characters.
nlohmann::json settingsJson(const std::string& path, const ReaderSettings& settings);

}  // namespace cdr::cli
