#pragma once

#include <memory>
#include <ostream>

#include "cli/reader_arrivals.h"
#include "hid/hid_link.h"
#include "hid/hid_platform.h"

namespace cdr::cli {

// What a run of the tool stands on: the HID platform (the system's, or the virtual readers' with --simulate),
// the arrivals of readers for provision, and the terminal for swipe-test.
class Backends {
public:
    virtual ~Backends() = default;
    virtual hid::HidPlatform& platform(bool simulate) = 0;
    virtual std::unique_ptr<ReaderArrivals> arrivals(hid::HidLink& link, bool simulate) = 0;
    virtual void swipeTest(std::ostream& out) = 0;
};

// Parses the command line and runs the command; gives the exit status. Results go to out, messages to err.
int runCommandLine(int argc, const char* const* argv, Backends& backends, std::ostream& out, std::ostream& err);

}  // namespace cdr::cli
