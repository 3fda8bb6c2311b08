#pragma once

#include <optional>
#include <string>

#include "cli/reader_arrivals.h"

struct udev;
struct udev_monitor;

namespace cdr::cli {

// The readers' hidraw nodes as udev adds them, from a libudev monitor; nodes of other devices are passed over. The
// access rule for a reader may be applied just after its node appears, so an added node is handed on once it can be
// opened for reading and writing, or after a short grace time. The wait ends on Ctrl-C.
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
    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
};

}  // namespace cdr::cli
