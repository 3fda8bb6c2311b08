#pragma once

namespace cdr::cli {

// Ctrl-C, SIGTERM and SIGHUP end a wait instead of the program: after watchForInterrupt (which forgets an earlier
// interrupt), interrupted() tells whether one came. The same signal repeated within half a second counts once; a
// later one ends the program as usual.
void watchForInterrupt();
bool interrupted();

}  // namespace cdr::cli
