#pragma once

#include <deque>
#include <optional>
#include <string>

#include "cli/reader_arrivals.h"

struct udev;
struct udev_monitor;

namespace cdr::cli {

// The readers' hidraw nodes: first those present when it is made, then those udev adds, from a libudev monitor.
// Nodes of other devices, and nodes of the reader's identity that hold only a keyboard, keypad or mouse, are
// passed over. The access rule for a reader may be applied just after its node appears, so an added node is handed
// on once it can be opened for reading and writing, or after a short grace time. The wait ends on an interrupt.
class UdevArrivals final : public ReaderArrivals {
public:
    UdevArrivals();
    ~UdevArrivals() override;
    UdevArrivals(const UdevArrivals&) = delete;
    UdevArrivals& operator=(const UdevArrivals&) = delete;

    // False when the monitor could not be set up (no udev); nextReader then ends at once.
    bool ready() const { return monitor_ != nullptr; }
    std::optional<std::string> nextReader() override;

private:
    void queuePresentReaders();

    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    std::deque<std::string> present_;
};

}  // namespace cdr::cli
