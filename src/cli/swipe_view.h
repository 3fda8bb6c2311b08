#pragma once

#include <chrono>
#include <string>

namespace cdr::cli {

// Shows what a reader types during a swipe, one track per line: printable characters as they are, sentinels
// included, control characters made visible (CR as \r, LF as \n, tab as \t, others as \xNN, a backslash as \\).
// A track ends after CR, or after the end sentinel '?' when no CR follows it; each track after the first of a swipe
// starts with the time since the previous one. A pause of a second or more starts a new swipe.
class SwipeView {
public:
    static constexpr std::chrono::milliseconds kSwipeGap{1000};

    // One character typed at the given time; gives the text to print now (maybe empty).
    std::string take(char character, std::chrono::milliseconds at);
    // The input ended: the rest of the line, if any.
    std::string finish();

private:
    std::string endLine();

    std::string line_;
    bool inTrack_ = false;
    bool afterEndSentinel_ = false;
    bool anyInput_ = false;
    int swipes_ = 0;
    std::chrono::milliseconds lastCharacter_{0};
    std::chrono::milliseconds trackEnded_{0};
};

}  // namespace cdr::cli

#include <functional>
#include <optional>
#include <ostream>

namespace cdr::cli {

// Shows swipes from a source of typed characters until it ends (nothing) or gives Ctrl-C or Ctrl-D; now tells the
// time of each character.
void showSwipes(const std::function<std::optional<char>()>& nextCharacter,
                const std::function<std::chrono::milliseconds()>& now, std::ostream& out);

}  // namespace cdr::cli
