// Binds to 127.0.0.1 at a free port; for the unanswering port, fills its accept queue of one.
#include "support/LoopbackPorts.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>

namespace zoma::testing {

namespace {

// A socket bound to a free loopback port, and that port; -1 on failure.
int boundSocket(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), size) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        ::close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

std::string loopbackDevice(int port) {
    return "tcp://127.0.0.1:" + std::to_string(port);
}

}  // namespace

RefusingTcpPort::RefusingTcpPort() {
    int port = 0;
    socket_ = boundSocket(port);
    if (socket_ >= 0) device_ = loopbackDevice(port);
}

RefusingTcpPort::~RefusingTcpPort() {
    if (socket_ >= 0) ::close(socket_);
}

UnansweringTcpPort::UnansweringTcpPort() {
    int port = 0;
    listener_ = boundSocket(port);
    // A backlog of 0 leaves room for one connection waiting to be accepted; the filler takes it.
    if (listener_ < 0 || ::listen(listener_, 0) != 0) return;
    filler_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (filler_ >= 0 &&
        ::connect(filler_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        device_ = loopbackDevice(port);
    }
}

UnansweringTcpPort::~UnansweringTcpPort() {
    if (filler_ >= 0) ::close(filler_);
    if (listener_ >= 0) ::close(listener_);
}

}  // namespace zoma::testing
