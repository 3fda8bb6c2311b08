#pragma once

#include <optional>
#include <string>

namespace cdr::hid {

// Who holds the flock(2) lock on the file open at fd, from /proc/locks (procRoot in tests): the holder's program
// name and process ID, e.g. "cdr55p4w-cli (process 4242)". Nothing when the system does not tell.
std::optional<std::string> flockHolder(int fd, const std::string& procRoot = "/proc");

}  // namespace cdr::hid
