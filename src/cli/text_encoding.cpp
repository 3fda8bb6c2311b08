#include "cli/text_encoding.h"

#include <exception>
#include <filesystem>

#include "settings/code_page.h"

namespace cdr::cli {

// The program's texts and sentinels are single characters of the code page, all inside the Basic Multilingual
// Plane; a lone surrogate is passed on as U+FFFD.
std::string utf16ToUtf8(std::u16string_view text) {
    std::string utf8;
    for (char16_t unit : text) {
        const auto code = static_cast<std::uint32_t>(unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit);
        if (code < 0x80) {
            utf8 += static_cast<char>(code);
        } else if (code < 0x800) {
            utf8 += static_cast<char>(0xC0 | (code >> 6));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (code >> 12));
            utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return utf8;
}

std::optional<std::u16string> utf8ToUtf16(std::string_view text) {
    try {
        return std::filesystem::path(std::u8string(text.begin(), text.end())).u16string();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::string codePageToUtf8(const VersionBytes& bytes) {
    std::u16string text;
    for (const std::uint8_t byte : bytes) {
        text += fromCodePageByte(byte);
    }
    return utf16ToUtf8(text);
}

}  // namespace cdr::cli
