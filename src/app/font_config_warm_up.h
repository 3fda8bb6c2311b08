#pragma once

#include <string>
#include <thread>

namespace cdr {

// Reads the desktop's font configuration on a second thread while the application connects to the display, so
// that the window's first caption does not wait for it: the configuration files and font caches take about as
// long to read as the rest of the window takes to build. fontconfig keeps the result as its default
// configuration, where Qt's font database finds it. The thread also looks up which installed family the generic
// sans-serif family stands for. Where the build has no fontconfig this does nothing.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    // Waits until the configuration has been read; the destructor waits too.
    void finish();
    // The family that fontconfig draws sans-serif text with ("DejaVu Sans"); empty when unknown. After finish().
    const std::string& sansSerifFamily() const { return sansSerifFamily_; }

private:
    std::string sansSerifFamily_;
    std::jthread reader_;
};

}  // namespace cdr
