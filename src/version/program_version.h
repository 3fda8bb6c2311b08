#pragma once

#include <string>
#include <string_view>

namespace cdr {

// "PROGRAM VERSION (commit COMMIT, built YYYY-MM-DD)", for --version.
std::string programVersion(std::string_view program);

// For the window programs, whose toolkit reads the rest of the command line: when --version is among the
// arguments, prints the version on standard output and returns true.
bool printVersionWhenAsked(int argc, const char* const* argv, std::string_view program);

}  // namespace cdr
