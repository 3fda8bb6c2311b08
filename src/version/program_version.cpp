#include "version/program_version.h"

#include <iostream>

#include "version/build_stamp.h"

namespace cdr {

std::string programVersion(std::string_view program) {
    return std::string(program) + " " + build::kVersion + " (commit " + build::kCommit + ", built " + build::kDate +
           ")";
}

bool printVersionWhenAsked(int argc, const char* const* argv, std::string_view program) {
    for (int index = 1; index < argc; ++index) {
        if (std::string_view(argv[index]) == "--version") {
            std::cout << programVersion(program) << '\n';
            return true;
        }
    }
    return false;
}

}  // namespace cdr
