#pragma once

#include <string>
#include <vector>

namespace cdr {

// Keeps the diagnostic result list short: once it holds more than 300 lines, the 100 lines after its first are
// dropped, so the first line and the newest stay. True when it dropped lines.
bool trimResultLog(std::vector<std::u16string>& lines);

}  // namespace cdr
