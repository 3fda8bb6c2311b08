#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "protocol/reader_reply.h"

namespace cdr::cli {

// Text for the terminal and JSON, which take UTF-8.
std::string utf16ToUtf8(std::u16string_view text);
// UTF-8 text (from JSON) as the program's UTF-16 texts; nothing when it is not well-formed UTF-8.
std::optional<std::u16string> utf8ToUtf16(std::string_view text);
// The version bytes, each one character through the code page.
std::string codePageToUtf8(const VersionBytes& bytes);

}  // namespace cdr::cli
