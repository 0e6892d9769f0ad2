// The built simulator as the panel meets it: a pseudo-terminal that answers, also after a reopen.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "support/SimulatorProcess.h"

namespace {

using zoma::testing::SimulatorProcess;

// Guards against a hang only; nothing here measures how fast the simulator is.
constexpr int kHangGuardMs = 5000;

// Reads `count` bytes, or up to and including `end` when count is 0; stops early at the guard.
std::string readFrom(int fd, std::size_t count, char end = '\r') {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kHangGuardMs);
    std::string bytes;
    while (count == 0 ? (bytes.empty() || bytes.back() != end) : bytes.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
        char c;
        if (::read(fd, &c, 1) != 1) break;
        bytes += c;
    }
    return bytes;
}

int openRaw(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0) return fd;
    termios settings{};
    ::tcgetattr(fd, &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(fd, TCSANOW, &settings);
    return fd;
}

std::string ask(int fd, const std::string& frame, std::size_t count = 0) {
    if (::write(fd, frame.data(), frame.size()) != static_cast<ssize_t>(frame.size())) return "";
    return readFrom(fd, count);
}

TEST(SimProcess, AnswersOnItsTerminalAndServesAgainAfterReopen) {
    const std::string link = "/tmp/zoma-sim-test-" + std::to_string(::getpid());
    SimulatorProcess sim({"--link", link, "--phase-ms", "600000"});

    const std::string slave = sim.slavePath();
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
