#include "presenter/utf8_text.h"

#include <cstdint>
#include <filesystem>

#include "settings/code_page.h"

namespace cdr {

std::u16string textFromUtf8(std::string_view utf8) {
    try {
        return std::filesystem::path(std::u8string(utf8.begin(), utf8.end())).u16string();
    } catch (const std::exception&) {
        std::u16string text;
        for (const char byte : utf8) text += fromCodePageByte(static_cast<std::uint8_t>(byte));
        return text;
    }
}

}  // namespace cdr
