// Listening on a TCP port, letting one panel in at a time and turning the others away.
#include "sim/TcpLine.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <system_error>

namespace zoma::sim {

namespace {

[[noreturn]] void fail(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

// "127.0.0.1:4001" or "[::1]:4001".
std::string endpointText(const sockaddr_storage& address) {
    char host[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET6) {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
        ::inet_ntop(AF_INET6, &v6.sin6_addr, host, sizeof host);
        return "[" + std::string(host) + "]:" + std::to_string(ntohs(v6.sin6_port));
    }
    const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
    ::inet_ntop(AF_INET, &v4.sin_addr, host, sizeof host);
    return std::string(host) + ":" + std::to_string(ntohs(v4.sin_port));
}

sockaddr_storage socketAddress(const std::string& host, int port, socklen_t& size) {
    sockaddr_storage address{};
    auto& v4 = reinterpret_cast<sockaddr_in&>(address);
    auto& v6 = reinterpret_cast<sockaddr_in6&>(address);
    if (::inet_pton(AF_INET, host.c_str(), &v4.sin_addr) == 1) {
        v4.sin_family = AF_INET;
        v4.sin_port = htons(static_cast<std::uint16_t>(port));
        size = sizeof v4;
    } else if (::inet_pton(AF_INET6, host.c_str(), &v6.sin6_addr) == 1) {
        v6.sin6_family = AF_INET6;
        v6.sin6_port = htons(static_cast<std::uint16_t>(port));
        size = sizeof v6;
    } else {
        errno = EINVAL;
        fail("not an IPv4 or IPv6 address: " + host);
    }
    return address;
}

}  // namespace

TcpLine::TcpLine(const std::string& host, int port, SimLog& log) : log_(log) {
    socklen_t size = 0;
    sockaddr_storage address = socketAddress(host, port, size);
    listener_ = ::socket(address.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener_ < 0) fail("socket");
    try {
        // A simulator started again at once finds its port free, though the last run's
        // connections still linger in TIME_WAIT.
        const int on = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        if (::bind(listener_, reinterpret_cast<const sockaddr*>(&address), size) != 0) {
            fail("bind " + endpointText(address));
        }
        if (::listen(listener_, 4) != 0) fail("listen");
        size = sizeof address;
        if (::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
            fail("getsockname");
        }
        address_ = "tcp://" + endpointText(address);
    } catch (...) {
        ::close(listener_);
        throw;
    }
}

TcpLine::~TcpLine() {
    if (client_ >= 0) ::close(client_);
    ::close(listener_);
}

void TcpLine::admit(Millis now) {
    for (;;) {
        sockaddr_storage peer{};
        socklen_t size = sizeof peer;
        const int fd = ::accept4(listener_, reinterpret_cast<sockaddr*>(&peer), &size,
                                 SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                log_.line(now, std::string("accept failed: ") + std::strerror(errno));
            }
            return;
        }
        const std::string name = endpointText(peer);
        if (client_ >= 0) {
            ::close(fd);
            log_.line(now, "refused client " + name + ": " + clientName_ + " is connected");
            continue;
        }
        // Replies are a few bytes each; they must not wait for more to fill a segment.
        const int on = 1;
        if (::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on) != 0) {
            log_.line(now, std::string("TCP_NODELAY not set: ") + std::strerror(errno));
        }
        client_ = fd;
        clientName_ = name;
        log_.line(now, "client " + clientName_ + " connected to " + address_);
        // A connection queued behind this one waits for the next round, after this client's
        // input has been read: a panel that closes and reopens its port at once (as at its
        // start-up) has closed this connection already, and must not be turned away by itself.
        return;
    }
}

void TcpLine::hangUp(Millis now) {
    if (client_ < 0) return;
    ::close(client_);
    client_ = -1;
    log_.line(now, "client " + clientName_ + " gone");
}

}  // namespace zoma::sim
