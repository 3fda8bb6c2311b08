#include "cli/swipe_terminal.h"

#include <chrono>
#include <optional>

#include "cli/swipe_view.h"

#ifdef _WIN32
#include <conio.h>
#else
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <initializer_list>
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

// The terminal's settings before raw mode and the raw ones, for the signal handlers.
termios savedTerminal{};
termios rawTerminal{};

// Signals that end the program: the terminal is put back before each takes its usual course.
constexpr int kEndingSignals[] = {SIGHUP,  SIGINT,  SIGQUIT, SIGTERM, SIGPIPE, SIGALRM, SIGUSR1, SIGUSR2,
                                  SIGABRT, SIGSEGV, SIGBUS,  SIGFPE,  SIGILL,  SIGXCPU, SIGXFSZ};

extern "C" void restoreAndEnd(int signal) {
    ::tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Stopped (Ctrl-Z is a character in raw mode, but a stop can be sent): the shell gets its terminal back, and raw
// mode returns when the program goes on.
extern "C" void restoreAndStop(int /*signal*/) {
    ::tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    std::raise(SIGSTOP);
}

extern "C" void resumeRaw(int /*signal*/) { ::tcsetattr(STDIN_FILENO, TCSANOW, &rawTerminal); }

void handle(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
}

// Raw mode while it lives: every key as it is typed, Ctrl-C and Ctrl-D as characters, no echo. Whatever signal
// the program can catch puts the terminal back as it was.
class RawTerminal {
public:
    RawTerminal() : active_(::isatty(STDIN_FILENO) == 1 && ::tcgetattr(STDIN_FILENO, &savedTerminal) == 0) {
        if (!active_) return;
        rawTerminal = savedTerminal;
        ::cfmakeraw(&rawTerminal);
        rawTerminal.c_oflag |= OPOST;  // line ends still print as such
        for (const int signal : kEndingSignals) handle(signal, restoreAndEnd);
        handle(SIGTSTP, restoreAndStop);
        handle(SIGCONT, resumeRaw);
        ::tcsetattr(STDIN_FILENO, TCSANOW, &rawTerminal);
    }
    ~RawTerminal() {
        if (!active_) return;
        ::tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
        for (const int signal : kEndingSignals) std::signal(signal, SIG_DFL);
        for (const int signal : {SIGTSTP, SIGCONT}) std::signal(signal, SIG_DFL);
    }
    RawTerminal(const RawTerminal&) = delete;
    RawTerminal& operator=(const RawTerminal&) = delete;

private:
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
