#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "reader/reader_failure.h"

namespace cdr::cli {

// A reader's failure for JSON output: {"kind", "message", "path", and "status" (the refused reply's status byte)
// or "system" ({"code", "text"}, the system's error) where the failure has one}.
nlohmann::json failureJson(const std::string& path, const ReaderFailure& failure);

}  // namespace cdr::cli
