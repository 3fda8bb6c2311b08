#pragma once

#include <cstdio>
#include <cstdlib>

namespace cdr::fuzz {

// Stops the run as a crash when a property of the code under test does not hold, so that libFuzzer keeps the
// input that broke it.
inline void require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

}  // namespace cdr::fuzz
