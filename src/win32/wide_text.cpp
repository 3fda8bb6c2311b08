#include "win32/wide_text.h"

#include <windows.h>

namespace cdr::win32 {

std::wstring toWide(std::u16string_view text) { return {text.begin(), text.end()}; }

std::wstring toWide(std::string_view asciiName) { return {asciiName.begin(), asciiName.end()}; }

std::u16string toUtf16(std::wstring_view text) { return {text.begin(), text.end()}; }

std::string toUtf8(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

}  // namespace cdr::win32
