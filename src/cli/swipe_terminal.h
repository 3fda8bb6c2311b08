#pragma once

#include <ostream>

namespace cdr::cli {

// swipe-test on the terminal: standard input in raw mode (restored afterwards), each swipe shown on out until
// Ctrl-C or Ctrl-D.
void swipeTestOnTerminal(std::ostream& out);

}  // namespace cdr::cli
