#pragma once

#include <cstdint>
#include <optional>

namespace cdr {

// The one single-byte code page through which the program turns characters into bytes and back: for sentinel
// characters sent to the reader and for the text of settings files. Linux uses Latin-1, which maps every byte to
// one character and back; Windows uses the system's ANSI code page.

// The byte for a character, or nothing when the code page has no single byte for it.
std::optional<std::uint8_t> toCodePageByte(char16_t character);

// The character a byte stands for.
char16_t fromCodePageByte(std::uint8_t byte);

}  // namespace cdr
