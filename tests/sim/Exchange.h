// Talking to the simulator as the panel would: a frame out, its reply back, never hanging.
#pragma once

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <string>

namespace zoma::sim::testing {

// Guards against a hang only; nothing here measures how fast the simulator is.
inline constexpr int kHangGuardMs = 5000;

// Reads `count` bytes, or up to and including CR when count is 0; stops early at the guard or
// at the end of the input.
inline std::string readFrom(int fd, std::size_t count) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kHangGuardMs);
    std::string bytes;
    while (count == 0 ? (bytes.empty() || bytes.back() != '\r') : bytes.size() < count) {
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

// Sends a frame and reads its reply: `count` bytes, or up to CR when count is 0.
inline std::string ask(int fd, const std::string& frame, std::size_t count = 0) {
    if (::write(fd, frame.data(), frame.size()) != static_cast<ssize_t>(frame.size())) return "";
    return readFrom(fd, count);
}

}  // namespace zoma::sim::testing
