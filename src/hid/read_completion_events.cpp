#include "hid/read_completion_events.h"

#include <algorithm>

namespace cdr::hid {

void ReadCompletionEvents::create(Event event) { events_[event] = State{}; }

bool ReadCompletionEvents::isSignalled(Event event) const {
    const auto found = events_.find(event);
    return found != events_.end() && found->second.signalled;
}

void ReadCompletionEvents::reset(Event event) {
    if (const auto found = events_.find(event); found != events_.end()) {
        found->second.signalled = false;
    }
}

void ReadCompletionEvents::start(Event event, std::optional<Handle> handle, std::span<std::uint8_t> buffer) {
    const auto found = events_.find(event);
    if (found == events_.end()) {
        return;
    }
    found->second.signalled = false;
    if (handle) {
        found->second.read = StartedRead{*handle, buffer};
    }
}

const ReadCompletionEvents::StartedRead* ReadCompletionEvents::startedRead(Event event) const {
    const auto found = events_.find(event);
    return found == events_.end() || !found->second.read ? nullptr : &*found->second.read;
}

void ReadCompletionEvents::complete(Event event) {
    if (const auto found = events_.find(event); found != events_.end()) {
        found->second.read.reset();
        found->second.signalled = true;
    }
}

void ReadCompletionEvents::cancel(Handle handle) {
    for (auto& [event, state] : events_) {
        if (state.read && state.read->handle == handle) {
            state.read.reset();
        }
    }
}

bool ReadCompletionEvents::anyStarted() const {
    return std::any_of(events_.begin(), events_.end(), [](const auto& entry) { return entry.second.read.has_value(); });
}

}  // namespace cdr::hid
