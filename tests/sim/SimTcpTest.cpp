// The built simulator on a TCP port, as the panel meets it through a serial device server.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <string>

#include "support/SimulatorProcess.h"
#include "tests/sim/Exchange.h"

namespace zoma::sim::testing {
namespace {

using zoma::testing::SimulatorProcess;

constexpr char kAck = '\x06';
constexpr char kNak = '\x15';

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

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(SimTcp, ServesOneClientAtATimeAndKeepsTheProjectorBetweenClients) {
    // Replies go out one byte at a time, 5 ms apart; the phase never ends within the test.
    SimulatorProcess sim({"--tcp", "0", "--phase-ms", "600000", "--split", "1", "--gap", "5"});
    ASSERT_EQ(sim.device().rfind("tcp://127.0.0.1:", 0), 0u) << sim.device();
    const int port = sim.tcpPort();
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

    const std::string text = sim.log();
    EXPECT_TRUE(contains(text, "rx <NUL><x80>X<CR>")) << text;
    EXPECT_TRUE(contains(text, "refused client 127.0.0.1:")) << text;

    EXPECT_EQ(sim.terminate(), 0);
}

TEST(SimTcp, DropsEachConnectionAfterItsNthFrame) {
    SimulatorProcess sim({"--tcp", "0", "--phase-ms", "600000", "--drop-after", "2"});
    const int port = sim.tcpPort();
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

    EXPECT_TRUE(contains(sim.log(), "dropping the connection after its frame 2")) << sim.log();
}

}  // namespace
}  // namespace zoma::sim::testing
