#pragma once

#include <istream>
#include <nlohmann/json.hpp>
#include <string>
#include <variant>

#include "settings/reader_settings.h"

namespace cdr::cli {

// Why settings could not be taken from a file: the kind for the JSON error ("bad-settings-file" or
// "contradictory-settings"), the message, and for contradictions the lines or keys at fault.
struct SettingsRefusal {
    std::string kind;
    std::string message;
    nlohmann::ordered_json details = nlohmann::ordered_json::object();
};

// The settings in FILE ("-" is standard input): a settings file (16 lines, CR LF or LF, an optional UTF-8
// byte-order mark), or the JSON that read --json prints, told apart by a leading "{". A file that contradicts
// itself (see findContradictions; for JSON the same rules by key) is refused unless `force` is given, in which
// case it is taken as the window takes it.
std::variant<ReaderSettings, SettingsRefusal> loadSettings(const std::string& file, std::istream& standardInput,
                                                           bool force);

}  // namespace cdr::cli
