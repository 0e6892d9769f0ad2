// Waits on the listening socket and the connection; reads are stamped at once.
#include "support/TcpPeer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "support/MonotonicClock.h"

namespace zoma::testing {

TcpPeer::TcpPeer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener_ < 0) return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(listener_, reinterpret_cast<const sockaddr*>(&address), size) != 0 ||
        ::listen(listener_, 4) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        ::close(listener_);
        listener_ = -1;
        return;
    }
    device_ = "tcp://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
    thread_.start([this](PollThread::Round& round) { prepare(round); },
                  [this](const PollThread::Round& round, std::int64_t now) { handle(round, now); });
}

TcpPeer::~TcpPeer() {
    thread_.stop();
    if (client_ >= 0) ::close(client_);
    if (listener_ >= 0) ::close(listener_);
}

void TcpPeer::send(const std::string& bytes) {
    {
        std::lock_guard<std::mutex> lock(outboxMutex_);
        outbox_ += bytes;
    }
    thread_.wake();
}

void TcpPeer::admit() {
    for (;;) {
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) return;
        if (client_ >= 0) {
            ::close(fd);
            continue;
        }
        // Replies are a few bytes each; they must not wait for more to fill a segment.
        const int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        client_ = fd;
        ++connections_;
        connected_ = true;
        // A connection queued behind this one waits until this one's input has been read: a
        // panel that closes and reopens its port at once has closed this one already.
        return;
    }
}

void TcpPeer::dropClient() {
    ::close(client_);
    client_ = -1;
    connected_ = false;
    stamps_.dropPartial();
}

void TcpPeer::readClient(std::int64_t now) {
    char buffer[4096];
    std::string bytes;
    for (;;) {
        const ssize_t count = ::read(client_, buffer, sizeof buffer);
        if (count > 0) {
            bytes.append(buffer, static_cast<std::size_t>(count));
            continue;
        }
        stamps_.add(bytes, now);
        // The panel closed the line (or reset it): wait for its next connection.
        if (count == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
            dropClient();
        }
        return;
    }
}

void TcpPeer::writeClient() {
    std::lock_guard<std::mutex> lock(outboxMutex_);
    if (outbox_.empty()) return;
    const ssize_t written = ::send(client_, outbox_.data(), outbox_.size(), MSG_NOSIGNAL);
    if (written > 0) outbox_.erase(0, static_cast<std::size_t>(written));
}

void TcpPeer::prepare(PollThread::Round& round) {
    bool pending = false;
    {
        std::lock_guard<std::mutex> lock(outboxMutex_);
        pending = !outbox_.empty();
    }
    round.watch(listener_, POLLIN);
    short events = POLLIN;
    if (pending) events |= POLLOUT;
    // A negative descriptor is skipped by poll: no connection yet.
    round.watch(client_, events);
}

void TcpPeer::handle(const PollThread::Round& round, std::int64_t now) {
    const bool knocked = (round.fds[0].revents & POLLIN) != 0;
    const short connection = round.fds[1].revents;
    // Before a knock is answered the connection is read too, so a panel that has just left
    // is seen gone and the one knocking is let in.
    if (client_ >= 0 && (knocked || (connection & (POLLIN | POLLHUP | POLLERR)))) {
        readClient(now);
    }
    if (knocked) admit();
    if (client_ >= 0 && (connection & POLLOUT)) writeClient();
}

}  // namespace zoma::testing
