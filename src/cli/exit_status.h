#pragma once

namespace cdr::cli {

// The tool's exit status.
enum ExitStatus : int {
    kExitDone = 0,
    kExitReaderFailed = 1,      // no answer in time, a bad status, or a read-back that differs
    kExitBadInput = 2,          // a bad command line or settings file: nothing was sent to any reader
    kExitNoReader = 3,          // no reader found, or none that could be opened
    kExitOutputNotWritten = 4,  // the reader was read, but its settings could not be written out
};

}  // namespace cdr::cli
