#include "cli/interrupt.h"

#include <csignal>

namespace cdr::cli {

namespace {

volatile std::sig_atomic_t interruptSeen = 0;

extern "C" void noteInterrupt(int /*signal*/) { interruptSeen = 1; }

}  // namespace

void watchForInterrupt() { std::signal(SIGINT, noteInterrupt); }

bool interrupted() { return interruptSeen != 0; }

}  // namespace cdr::cli
