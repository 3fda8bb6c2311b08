#include "cli/nearest_command.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace cdr::cli {

namespace {

// Insertions, deletions and substitutions that turn one text into the other.
std::size_t editDistance(std::string_view from, std::string_view to) {
    std::vector<std::size_t> previous(to.size() + 1);
    std::iota(previous.begin(), previous.end(), std::size_t{0});
    for (std::size_t i = 1; i <= from.size(); ++i) {
        std::vector<std::size_t> current(to.size() + 1);
        current[0] = i;
        for (std::size_t j = 1; j <= to.size(); ++j) {
            const std::size_t substitution = previous[j - 1] + (from[i - 1] == to[j - 1] ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitution});
        }
        previous = std::move(current);
    }
    return previous[to.size()];
}

}  // namespace

std::string nearestName(std::string_view typed, std::span<const std::string> names) {
    std::string nearest;
    // More edits than half the name's length are a different word, not a slip.
    std::size_t best = 0;
    for (const std::string& name : names) {
        const std::size_t distance = editDistance(typed, name);
        if (distance <= std::max<std::size_t>(1, name.size() / 2) && (nearest.empty() || distance < best)) {
            nearest = name;
            best = distance;
        }
    }
    return nearest;
}

}  // namespace cdr::cli
