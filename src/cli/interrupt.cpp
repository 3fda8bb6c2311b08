#include "cli/interrupt.h"

#include <csignal>
#include <initializer_list>

namespace cdr::cli {

namespace {

volatile std::sig_atomic_t interruptSeen = 0;

extern "C" void noteInterrupt(int /*signal*/) { interruptSeen = 1; }

}  // namespace

void watchForInterrupt() {
    interruptSeen = 0;
#ifdef _WIN32
    for (const int signal : {SIGINT, SIGTERM}) std::signal(signal, noteInterrupt);
#else
    struct sigaction action {};
    action.sa_handler = noteInterrupt;
    sigemptyset(&action.sa_mask);
    // One-shot, so that a second signal still ends a program stuck in a call; no restart, so that a wait returns.
    action.sa_flags = SA_RESETHAND;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
#endif
}

bool interrupted() { return interruptSeen != 0; }

}  // namespace cdr::cli
