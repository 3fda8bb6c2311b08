#include "cli/swipe_view.h"

#include <gtest/gtest.h>

#include <sstream>

namespace cdr::cli {
namespace {

using std::chrono::milliseconds;

TEST(SwipeViewTest, ShowsTracksWithSentinelsControlCharactersAndTimeBetweenThem) {
    const std::string typed =
        "%B12^X?\r;34=5?\x01"
        "9\x04ignored";
    const std::vector<int> times = {0, 1, 2, 3, 4, 5, 6, 7, 40, 41, 42, 43, 44, 45, 46, 1500};
    std::size_t next = 0;
    std::ostringstream out;
    showSwipes([&]() -> std::optional<char> { return next < typed.size() ? std::optional(typed[next]) : std::nullopt; },
               [&] { return milliseconds(times.at(next++)); }, out);
    EXPECT_EQ(out.str(),
              "swipe 1:\n  +0 ms  %B12^X?\\r\n  +33 ms  ;34=5?\n  +1 ms  \\x01\n"
              "swipe 2:\n  +0 ms  9\n");
}

}  // namespace
}  // namespace cdr::cli
