#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>

#include "hid/hid_platform.h"

namespace cdr::hid {

// The completion events of a platform that carries a read out only while it is being waited for: every event is
// manual-reset, created signalled, and holds at most one started read. As the read happens inside the wait, a
// buffer is never written once its read was completed, cancelled or its handle closed.
class ReadCompletionEvents {
public:
    struct StartedRead {
        Handle handle = kNoHandle;
        std::span<std::uint8_t> buffer;
    };

    // Registers a new event under a value the platform chose.
    void create(Event event);
    bool exists(Event event) const { return events_.contains(event); }
    bool isSignalled(Event event) const;
    void reset(Event event);
    // Makes the event non-signalled; with a handle, records the read into buffer that a wait will carry out.
    void start(Event event, std::optional<Handle> handle, std::span<std::uint8_t> buffer);
    // The read the event is waiting for, or null.
    const StartedRead* startedRead(Event event) const;
    // The read has filled its buffer: forget it and signal the event.
    void complete(Event event);
    // Forgets every read started on the handle.
    void cancel(Handle handle);
    bool anyStarted() const;

private:
    struct State {
        bool signalled = true;
        std::optional<StartedRead> read;
    };
    std::map<Event, State> events_;
};

}  // namespace cdr::hid
