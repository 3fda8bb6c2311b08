#include "cli/interrupt.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <initializer_list>

namespace cdr::cli {

namespace {

// One interrupt may arrive twice within an instant: `timeout` passes a signal on to its child and then to its whole
// process group, and a terminal's Ctrl-C reaches every process of the foreground group. Such a repeat is the same
// interrupt; a signal that comes later ends the program as usual, so that a program stuck in a call still ends.
constexpr std::chrono::steady_clock::duration kRepeatWindow = std::chrono::milliseconds(500);

volatile std::sig_atomic_t interruptSeen = 0;
std::atomic<std::chrono::steady_clock::rep> firstInterruptAt{0};
static_assert(std::atomic<std::chrono::steady_clock::rep>::is_always_lock_free);

extern "C" void noteInterrupt(int signal) {
#ifdef _WIN32
    // Windows puts the default handler back before it calls this one.
    std::signal(signal, noteInterrupt);
#endif
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    if (interruptSeen == 0) {
        firstInterruptAt = now;
        interruptSeen = 1;
    } else if (now - firstInterruptAt > kRepeatWindow.count()) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
}

}  // namespace

void watchForInterrupt() {
    interruptSeen = 0;
#ifdef _WIN32
    for (const int signal : {SIGINT, SIGTERM}) std::signal(signal, noteInterrupt);
#else
    struct sigaction action {};
    action.sa_handler = noteInterrupt;
    sigemptyset(&action.sa_mask);
    // No restart, so that a wait returns.
    action.sa_flags = 0;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
#endif
}

bool interrupted() { return interruptSeen != 0; }

}  // namespace cdr::cli
