#include "hid/windows/error_text.h"

#include <windows.h>

#include <array>

namespace cdr::hid {

std::string GetErrorText(std::uint32_t code) {
    std::array<char, 128> message{};
    // Inserts are ignored: no arguments are passed, and a message with %1 would otherwise read them from nowhere.
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        message.data(), static_cast<DWORD>(message.size()), nullptr);
    constexpr DWORD kLineBreakLength = 2;
    if (length <= kLineBreakLength) return {};
    return std::string(message.data(), length - kLineBreakLength);
}

}  // namespace cdr::hid
