// The built simulator as the panel meets it: a pseudo-terminal that answers, also after a reopen.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <string>

#include "support/SimulatorProcess.h"
#include "tests/sim/Exchange.h"

namespace {

using zoma::sim::testing::ask;
using zoma::testing::SimulatorProcess;

int openRaw(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0) return fd;
    termios settings{};
    ::tcgetattr(fd, &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(fd, TCSANOW, &settings);
    return fd;
}

TEST(SimProcess, AnswersOnItsTerminalAndServesAgainAfterReopen) {
    const std::string link = "/tmp/zoma-sim-test-" + std::to_string(::getpid());
    SimulatorProcess sim({"--link", link, "--phase-ms", "600000"});

    const std::string slave = sim.device();
    ASSERT_EQ(slave.rfind("/dev/pts/", 0), 0u) << slave;
    char target[256] = {};
    ASSERT_GT(::readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(target, slave);

    int fd = openRaw(slave);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(ask(fd, "CR0\r"), "80\r");
    EXPECT_EQ(ask(fd, "C00\r", 1), "\x06");
    ::close(fd);

    // The panel closes the port and opens it again: same projector, still counting down.
    fd = openRaw(link);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(ask(fd, "CR0\r"), "40\r");
    ::close(fd);

    EXPECT_EQ(sim.terminate(), 0);
    EXPECT_NE(::access(link.c_str(), F_OK), 0) << "link left behind";
}

}  // namespace
