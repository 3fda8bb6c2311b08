#include "cli/polling_arrivals.h"

#include <utility>

namespace cdr::cli {

PollingArrivals::PollingArrivals(hid::HidLink& link, std::function<bool()> waitStep)
    : link_(link), waitStep_(std::move(waitStep)) {}

std::optional<std::string> PollingArrivals::nextReader() {
    for (;;) {
        std::set<std::string> present;
        for (const hid::ReaderEntry& reader : link_.listReaders()) {
            present.insert(reader.path);
        }
        std::erase_if(reported_, [&present](const std::string& path) { return !present.contains(path); });
        for (const std::string& path : present) {
            if (reported_.insert(path).second) {
                return path;
            }
        }
        if (!waitStep_()) {
            return std::nullopt;
        }
    }
}

}  // namespace cdr::cli
