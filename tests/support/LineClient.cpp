// Blocking socket reads with limits, and the PJLink controller's exchange.
#include "support/LineClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "gateway/Md5.h"
#include "support/MonotonicClock.h"

namespace zoma::testing {

using Clock = std::chrono::steady_clock;

LineClient::LineClient(int port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0) return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    const int on = 1;
    ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

LineClient::~LineClient() {
    close();
}

void LineClient::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void LineClient::send(const std::string& bytes) {
    std::size_t done = 0;
    while (fd_ >= 0 && done < bytes.size()) {
        const ssize_t sent = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) return;
        done += static_cast<std::size_t>(sent);
    }
}

std::string LineClient::readUntil(char end, int limitMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    while (true) {
        const auto at = pending_.find(end);
        if (at != std::string::npos) {
            std::string line = pending_.substr(0, at + 1);
            pending_.erase(0, at + 1);
            return line;
        }
        pollfd peer{fd_, POLLIN, 0};
        if (fd_ < 0 || ::poll(&peer, 1, millisecondsUntil(deadline)) <= 0) break;
        char buffer[4096];
        const ssize_t got = ::recv(fd_, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        pending_.append(buffer, static_cast<std::size_t>(got));
    }
    std::string rest;
    rest.swap(pending_);
    return rest;
}

std::string LineClient::readFor(int limitMs, int quietMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    std::string data;
    data.swap(pending_);
    while (fd_ >= 0) {
        const int wait = data.empty() ? millisecondsUntil(deadline)
                                      : std::min(quietMs, millisecondsUntil(deadline));
        pollfd peer{fd_, POLLIN, 0};
        if (::poll(&peer, 1, wait) <= 0) break;
        char buffer[4096];
        const ssize_t got = ::recv(fd_, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        data.append(buffer, static_cast<std::size_t>(got));
    }
    return data;
}

std::string LineClient::readUntilClosed(int limitMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    std::string data;
    data.swap(pending_);
    while (fd_ >= 0) {
        pollfd peer{fd_, POLLIN, 0};
        if (::poll(&peer, 1, millisecondsUntil(deadline)) <= 0) break;
        char buffer[4096];
        const ssize_t got = ::recv(fd_, buffer, sizeof buffer, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        data.append(buffer, static_cast<std::size_t>(got));
    }
    return data;
}

bool LineClient::closedByPeer(int limitMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    while (fd_ >= 0) {
        pollfd peer{fd_, POLLIN, 0};
        if (::poll(&peer, 1, millisecondsUntil(deadline)) <= 0) return false;
        char buffer[4096];
        const ssize_t got = ::recv(fd_, buffer, sizeof buffer, 0);
        if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN)) return true;
    }
    return true;
}

PjlinkClient::PjlinkClient(int port, std::string password)
    : client_(port), password_(std::move(password)) {}

const std::string& PjlinkClient::greeting() {
    if (greeting_.empty()) {
        greeting_ = client_.readUntil('\r', 5000);
        if (!greeting_.empty() && greeting_.back() == '\r') greeting_.pop_back();
    }
    return greeting_;
}

std::string PjlinkClient::askRaw(const std::string& line, int limitMs) {
    greeting();
    client_.send(line + "\r");
    std::string answer = client_.readUntil('\r', limitMs);
    if (!answer.empty() && answer.back() == '\r') answer.pop_back();
    return answer;
}

std::string PjlinkClient::ask(const std::string& command, int limitMs) {
    std::string prefix;
    // "PJLINK 1 " and eight hexadecimal characters: the digest goes in front of the first line.
    const std::string& hello = greeting();
    if (first_ && hello.rfind("PJLINK 1 ", 0) == 0) {
        prefix = gateway::md5Hex(hello.substr(9) + password_);
    }
    first_ = false;
    return askRaw(prefix + "%1" + command, limitMs);
}

}  // namespace zoma::testing
