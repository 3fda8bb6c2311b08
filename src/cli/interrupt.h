#pragma once

namespace cdr::cli {

// Ctrl-C ends a wait instead of the program: after watchForInterrupt, interrupted() tells whether it was pressed.
void watchForInterrupt();
bool interrupted();

}  // namespace cdr::cli
