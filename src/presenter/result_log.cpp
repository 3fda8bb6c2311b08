#include "presenter/result_log.h"

namespace cdr {

namespace {

constexpr std::size_t kResultsLimit = 300;
constexpr std::size_t kResultsTrimCount = 100;

}  // namespace

bool trimResultLog(std::vector<std::u16string>& lines) {
    if (lines.size() <= kResultsLimit) {
        return false;
    }
    lines.erase(lines.begin() + 1, lines.begin() + 1 + kResultsTrimCount);
    return true;
}

}  // namespace cdr
