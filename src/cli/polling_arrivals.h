#pragma once

#include <functional>
#include <set>
#include <string>

#include "cli/reader_arrivals.h"
#include "hid/hid_link.h"

namespace cdr::cli {

// Arrivals found by listing the readers again and again: each reader is reported once while it stays present,
// and again after it was gone for one listing. Between two listings waitStep runs (a pause, or a simulated plug);
// when it returns false the wait is over.
class PollingArrivals final : public ReaderArrivals {
public:
    PollingArrivals(hid::HidLink& link, std::function<bool()> waitStep);
    std::optional<std::string> nextReader() override;

private:
    hid::HidLink& link_;
    std::function<bool()> waitStep_;
    std::set<std::string> reported_;
};

}  // namespace cdr::cli
