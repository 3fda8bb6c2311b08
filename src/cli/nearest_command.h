#pragma once

#include <span>
#include <string>
#include <string_view>

namespace cdr::cli {

// The name among `names` that `typed` is most likely a slip of (fewest single-character edits), or empty when
// none is close enough to be meant.
std::string nearestName(std::string_view typed, std::span<const std::string> names);

}  // namespace cdr::cli
