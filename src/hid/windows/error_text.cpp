#include "hid/windows/error_text.h"

#include <windows.h>

#include <memory>
#include <string_view>

namespace cdr::hid {

namespace {

struct LocalFreeDeleter {
    void operator()(wchar_t* text) const { LocalFree(text); }
};

std::string toUtf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

}  // namespace

std::string GetErrorText(std::uint32_t code, std::uint16_t language) {
    wchar_t* allocated = nullptr;
    // The system allocates a buffer of the message's own length. Inserts are ignored: no arguments are passed,
    // and a message with %1 would otherwise read them from nowhere.
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                       nullptr, code, language, reinterpret_cast<wchar_t*>(&allocated), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalFreeDeleter> owned(allocated);
    if (length == 0) return {};
    std::wstring_view message(allocated, length);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) {
        message.remove_suffix(1);
    }
    return toUtf8(message);
}

}  // namespace cdr::hid
