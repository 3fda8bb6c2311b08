#include "cli/swipe_terminal.h"

#include <chrono>
#include <optional>

#include "cli/swipe_view.h"

#ifdef _WIN32
#include <conio.h>
#else
#include <termios.h>
#include <unistd.h>
#endif

namespace cdr::cli {

namespace {

std::chrono::milliseconds sinceStart() {
    static const auto start = std::chrono::steady_clock::now();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
}

#ifdef _WIN32
std::optional<char> typedCharacter() { return static_cast<char>(_getch()); }
#else
std::optional<char> typedCharacter() {
    char character = 0;
    return ::read(STDIN_FILENO, &character, 1) == 1 ? std::optional(character) : std::nullopt;
}

// Raw mode while it lives: every key as it is typed, Ctrl-C and Ctrl-D as characters, no echo.
class RawTerminal {
public:
    RawTerminal() : active_(::isatty(STDIN_FILENO) == 1 && ::tcgetattr(STDIN_FILENO, &saved_) == 0) {
        if (active_) {
            termios raw = saved_;
            ::cfmakeraw(&raw);
            raw.c_oflag |= OPOST;  // line ends still print as such
            ::tcsetattr(STDIN_FILENO, TCSANOW, &raw);
        }
    }
    ~RawTerminal() {
        if (active_) ::tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
    }
    RawTerminal(const RawTerminal&) = delete;
    RawTerminal& operator=(const RawTerminal&) = delete;

private:
    termios saved_{};
    bool active_;
};
#endif

}  // namespace

void swipeTestOnTerminal(std::ostream& out) {
#ifndef _WIN32
    const RawTerminal raw;
#endif
    showSwipes(typedCharacter, sinceStart, out);
}

}  // namespace cdr::cli
