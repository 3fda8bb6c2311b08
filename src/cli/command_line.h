#pragma once

#include <iostream>
#include <memory>
#include <ostream>

#include "cli/reader_arrivals.h"
#include "hid/hid_link.h"
#include "hid/hid_platform.h"

namespace cdr::cli {

// What a run of the tool stands on: the HID platform (the system's, or with --simulate that many virtual
// readers), the arrivals of readers for provision, the terminal for swipe-test, and standard input for "-".
class Backends {
public:
    virtual ~Backends() = default;
    // simulatedReaders is 0 for the system's readers.
    virtual hid::HidPlatform& platform(int simulatedReaders) = 0;
    virtual std::unique_ptr<ReaderArrivals> arrivals(hid::HidLink& link, bool simulate) = 0;
    virtual void swipeTest(std::ostream& out) = 0;
    virtual std::istream& standardInput() { return std::cin; }
};

// Parses the command line and runs the command; gives the exit status. Results go to out, messages to err.
int runCommandLine(int argc, const char* const* argv, Backends& backends, std::ostream& out, std::ostream& err);

}  // namespace cdr::cli
