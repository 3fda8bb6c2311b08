#pragma once

#include <cstdint>
#include <deque>
#include <optional>

#include "hid/sim/sim_hid_platform.h"
#include "support/reader_replies.h"

namespace cdr::test {

using ScriptedReplies = std::deque<std::optional<Bytes>>;

// A reader at "/dev/hidraw-scripted" with these report lengths that answers each output report with the next of
// `replies` (nothing once the queue is empty). The queue must outlive the device.
hid::sim::VirtualDevice scriptedReader(ScriptedReplies& replies, std::int16_t inputLength, std::int16_t outputLength);

}  // namespace cdr::test
