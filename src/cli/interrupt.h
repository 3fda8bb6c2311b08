#pragma once

namespace cdr::cli {

// Ctrl-C, SIGTERM and SIGHUP end a wait instead of the program: after watchForInterrupt (which forgets an earlier
// interrupt), interrupted() tells whether one came. A second such signal ends the program as usual.
void watchForInterrupt();
bool interrupted();

}  // namespace cdr::cli
