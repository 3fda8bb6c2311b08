#pragma once

#include <cstdint>
#include <string>

namespace cdr::hid {

// The system's message for an error code (as GetLastError gives it) without its closing line break; empty when
// the system has no message for the code or the message does not fit in 128 characters.
std::string GetErrorText(std::uint32_t code);

}  // namespace cdr::hid
