#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "reader/reader_failure.h"

namespace cdr::cli {

// What a reader's failure adds to the JSON error beside its kind and message: "path", and "status" (the refused
// reply's status byte) or "system" ({"code", "text"}, the system's error) where the failure has one.
nlohmann::ordered_json failureDetails(const std::string& path, const ReaderFailure& failure);

}  // namespace cdr::cli
