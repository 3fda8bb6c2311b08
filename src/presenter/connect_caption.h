#pragma once

#include <string_view>

namespace cdr {

// Whether the Connect button's caption says that no reader is connected: it reads "Connect" in any letter case.
bool readsConnect(std::u16string_view caption);

}  // namespace cdr
