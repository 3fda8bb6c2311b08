#pragma once

#include <string>
#include <string_view>

namespace cdr::win32 {

// Texts as the wide Win32 functions take them. wchar_t is 16 bits wide on Windows, so UTF-16 passes unchanged.
std::wstring toWide(std::u16string_view text);
// A control name, which is plain ASCII.
std::wstring toWide(std::string_view asciiName);
std::u16string toUtf16(std::wstring_view text);
// A path as the rest of the program keeps it, in UTF-8.
std::string toUtf8(std::wstring_view text);

}  // namespace cdr::win32
