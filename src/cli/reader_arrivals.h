#pragma once

#include <optional>
#include <string>

namespace cdr::cli {

// Where provisioning learns that a reader was plugged in.
class ReaderArrivals {
public:
    virtual ~ReaderArrivals() = default;
    // Waits for the next device to appear and gives its path; nothing once the wait was interrupted.
    virtual std::optional<std::string> nextReader() = 0;
};

}  // namespace cdr::cli
