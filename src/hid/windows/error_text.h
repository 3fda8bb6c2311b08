#pragma once

#include <cstdint>
#include <string>

namespace cdr::hid {

// The system's message for an error code (as GetLastError gives it) in UTF-8, whole, without its closing line
// break; empty when the system has no message for the code. The message is in the user's language unless a
// language (a Windows LANGID) is asked for.
std::string GetErrorText(std::uint32_t code, std::uint16_t language = 0);

}  // namespace cdr::hid
