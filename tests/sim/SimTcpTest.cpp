// The built simulator on a TCP port, as the panel meets it through a serial device server.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/sim/SimProcess.h"

namespace zoma::sim::testing {
namespace {

constexpr char kAck = '\x06';
constexpr char kNak = '\x15';

// A log file of the simulator's own, removed with the test.
class LogFile {
  public:
    LogFile() {
        char path[] = "/tmp/zoma-sim-tcp-log-XXXXXX";
        const int fd = ::mkstemp(path);
        if (fd >= 0) ::close(fd);
        path_ = path;
    }
    ~LogFile() { ::unlink(path_.c_str()); }

    const std::string& path() const { return path_; }
    std::string text() const {
        std::ifstream file(path_);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

  private:
    std::string path_;
};

// A panel's connection, closed when dropped.
class Client {
  public:
    explicit Client(int port) {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        ::inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
        if (fd_ >= 0 &&
            ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            close();
        }
    }
    ~Client() { close(); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    int fd() const { return fd_; }
    void close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

    // True when the simulator closes the connection (an orderly end or a reset) before sending
    // anything more.
    bool closedBySimulator() const {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, kHangGuardMs) <= 0) return false;
        char c;
        const ssize_t count = ::read(fd_, &c, 1);
        return count == 0 || (count < 0 && errno == ECONNRESET);
    }

  private:
    int fd_ = -1;
};

// Starts the simulator on a free port of the loopback address and learns which one it took.
int startOnFreePort(SimProcess& sim) {
    const std::string prefix = "tcp://127.0.0.1:";
    const std::string address = sim.firstLine();
    if (address.rfind(prefix, 0) != 0) {
        ADD_FAILURE() << "first line: '" << address << "'";
        return -1;
    }
    return std::atoi(address.c_str() + prefix.size());
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(SimTcp, ServesOneClientAtATimeAndKeepsTheProjectorBetweenClients) {
    LogFile log;
    // Replies go out one byte at a time, 5 ms apart; the phase never ends within the test.
    SimProcess sim(
        {"--tcp", "0", "--log", log.path(), "--phase-ms", "600000", "--split", "1", "--gap", "5"});
    const int port = startOnFreePort(sim);
    ASSERT_GT(port, 0);

    Client first(port);
    ASSERT_GE(first.fd(), 0);
    EXPECT_EQ(ask(first.fd(), "CR0\r"), "80\r") << "a reply sent in pieces arrives whole";
    // NUL and a byte above 127 reach the projector as they are: a code it does not know.
    EXPECT_EQ(ask(first.fd(), std::string("\0\x80X\r", 4), 1), std::string(1, kNak));
    EXPECT_EQ(ask(first.fd(), "C00\r", 1), std::string(1, kAck));

    // A second panel is turned away at once; the first one is still served.
    Client second(port);
    ASSERT_GE(second.fd(), 0);
    EXPECT_TRUE(second.closedBySimulator());
    EXPECT_EQ(ask(first.fd(), "CR0\r"), "40\r");

    // Once the first panel has left, the next one finds the projector still counting down.
    first.close();
    Client third(port);
    ASSERT_GE(third.fd(), 0);
    EXPECT_EQ(ask(third.fd(), "CR0\r"), "40\r");

    const std::string text = log.text();
    EXPECT_TRUE(contains(text, "rx <NUL><x80>X<CR>")) << text;
    EXPECT_TRUE(contains(text, "refused client 127.0.0.1:")) << text;

    const int status = sim.terminate();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST(SimTcp, DropsEachConnectionAfterItsNthFrame) {
    LogFile log;
    SimProcess sim(
        {"--tcp", "0", "--log", log.path(), "--phase-ms", "600000", "--drop-after", "2"});
    const int port = startOnFreePort(sim);
    ASSERT_GT(port, 0);

    // The second frame takes effect, but the connection ends before its reply.
    Client first(port);
    ASSERT_GE(first.fd(), 0);
    EXPECT_EQ(ask(first.fd(), "CR0\r"), "80\r");
    ASSERT_EQ(::write(first.fd(), "C00\r", 4), 4);
    EXPECT_TRUE(first.closedBySimulator());

    // A new connection counts its own frames.
    Client next(port);
    ASSERT_GE(next.fd(), 0);
    EXPECT_EQ(ask(next.fd(), "CR0\r"), "40\r");
    ASSERT_EQ(::write(next.fd(), "CR0\r", 4), 4);
    EXPECT_TRUE(next.closedBySimulator());

    EXPECT_TRUE(contains(log.text(), "dropping the connection after its frame 2")) << log.text();
}

}  // namespace
}  // namespace zoma::sim::testing
