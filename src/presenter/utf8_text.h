#pragma once

#include <string>
#include <string_view>

namespace cdr {

// Text that the system gives in UTF-8 (call labels, error texts), for the controls; bytes that are no valid UTF-8
// are shown one character each through the code page.
std::u16string textFromUtf8(std::string_view utf8);

}  // namespace cdr
