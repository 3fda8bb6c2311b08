#include "settings/code_page.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace cdr {

#ifdef _WIN32

std::optional<std::uint8_t> toCodePageByte(char16_t character) {
    const wchar_t wide = static_cast<wchar_t>(character);
    char bytes[4] = {};
    BOOL usedDefault = FALSE;
    const int count =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, sizeof bytes, nullptr, &usedDefault);
    if (count != 1 || usedDefault) return std::nullopt;
    return static_cast<std::uint8_t>(bytes[0]);
}

char16_t fromCodePageByte(std::uint8_t byte) {
    const char narrow = static_cast<char>(byte);
    wchar_t wide = 0;
    if (MultiByteToWideChar(CP_ACP, 0, &narrow, 1, &wide, 1) != 1) return u'?';
    return static_cast<char16_t>(wide);
}

#else

std::optional<std::uint8_t> toCodePageByte(char16_t character) {
    if (character > 0xFF) return std::nullopt;
    return static_cast<std::uint8_t>(character);
}

char16_t fromCodePageByte(std::uint8_t byte) { return static_cast<char16_t>(byte); }

#endif

}  // namespace cdr
