// swipe-test on a pseudo-terminal, in a child process that a signal ends.
#include <fcntl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <iostream>

#include "cli/swipe_terminal.h"

namespace cdr::cli {
namespace {

// Killed while the terminal is raw, swipe-test still leaves it as it found it.
TEST(SwipeTerminalTest, ASignalLeavesTheTerminalAsItWas) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const int terminal = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    int shown[2];
    ASSERT_EQ(::pipe(shown), 0);

    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(terminal, STDIN_FILENO);
        ::dup2(shown[1], STDOUT_FILENO);
        std::cout << std::unitbuf;
        swipeTestOnTerminal(std::cout);
        std::_Exit(0);
    }
    ::close(shown[1]);
    // A track typed and shown: swipe-test is reading the terminal in raw mode.
    ASSERT_EQ(::write(master, "%1?\r", 4), 4);
    char first = 0;
    ASSERT_EQ(::read(shown[0], &first, 1), 1);
    ::kill(child, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);

    termios after{};
    ASSERT_EQ(::tcgetattr(terminal, &after), 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_NE(after.c_lflag & ECHO, 0U);
    EXPECT_NE(after.c_lflag & ICANON, 0U);
    for (const int fd : {master, terminal, shown[0]}) ::close(fd);
}

}  // namespace
}  // namespace cdr::cli
