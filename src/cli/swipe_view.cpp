#include "cli/swipe_view.h"

#include <cstdio>
#include <utility>

namespace cdr::cli {

namespace {

std::string visible(char character) {
    switch (character) {
    case '\r':
        return "\\r";
    case '\n':
        return "\\n";
    case '\t':
        return "\\t";
    case '\\':
        return "\\\\";
    default:
        break;
    }
    const auto code = static_cast<unsigned char>(character);
    if (code < 0x20 || code == 0x7F) {
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", code);
        return escaped;
    }
    return std::string(1, character);
}

}  // namespace

std::string SwipeView::take(char character, std::chrono::milliseconds at) {
    std::string out;
    if (!anyInput_ || at - lastCharacter_ >= kSwipeGap) {
        out += endLine();
        out += "swipe " + std::to_string(++swipes_) + ":\n";
        trackEnded_ = at;
        inTrack_ = false;
        line_.clear();
    }
    if (afterEndSentinel_ && character != '\r') {
        // The track ended at its end sentinel without an Enter behind it.
        out += endLine();
        trackEnded_ = lastCharacter_;
    }
    afterEndSentinel_ = false;
    if (!inTrack_) {
        line_ = "  +" + std::to_string((at - trackEnded_).count()) + " ms  ";
        inTrack_ = true;
    }
    anyInput_ = true;
    lastCharacter_ = at;
    line_ += visible(character);
    if (character == '\r') {
        out += endLine();
        trackEnded_ = at;
    }
    afterEndSentinel_ = character == '?';
    return out;
}

std::string SwipeView::endLine() {
    afterEndSentinel_ = false;
    if (!inTrack_) {
        return {};
    }
    inTrack_ = false;
    return std::exchange(line_, {}) + "\n";
}

std::string SwipeView::finish() { return endLine(); }

}  // namespace cdr::cli

namespace cdr::cli {

void showSwipes(const std::function<std::optional<char>()>& nextCharacter,
                const std::function<std::chrono::milliseconds()>& now, std::ostream& out) {
    constexpr char kCtrlC = 0x03;
    constexpr char kCtrlD = 0x04;
    SwipeView view;
    for (auto character = nextCharacter(); character && *character != kCtrlC && *character != kCtrlD;
         character = nextCharacter()) {
        out << view.take(*character, now()) << std::flush;
    }
    out << view.finish() << std::flush;
}

}  // namespace cdr::cli
