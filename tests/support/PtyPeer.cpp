// poll() on the master and an eventfd; reads are stamped at once, the flood written in between.
#include "support/PtyPeer.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "support/MonotonicClock.h"

namespace zoma::testing {

namespace {
constexpr std::size_t kChunk = 4096;
}  // namespace

PtyPeer::PtyPeer() {
    if (!line_.ok()) return;
    wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    thread_ = std::thread([this] { run(); });
}

PtyPeer::~PtyPeer() {
    stop_ = true;
    wake();
    if (thread_.joinable()) thread_.join();
    if (wakeFd_ >= 0) ::close(wakeFd_);
}

void PtyPeer::wake() {
    if (wakeFd_ >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    }
}

void PtyPeer::setFlood(double bytesPerSecond) {
    floodRate_ = bytesPerSecond;
    wake();
}

void PtyPeer::readAvailable(std::int64_t now) {
    std::string bytes;
    line_.readAvailable(bytes);
    stamps_.add(bytes, now);
}

void PtyPeer::writeFlood(std::int64_t now) {
    const double rate = floodRate_.load();
    if (rate == 0) return;
    if (rate != floodStartRate_) {
        floodStartRate_ = rate;
        floodStartNs_ = now;
        floodSinceStart_ = 0;
    }
    std::size_t due = kChunk;
    if (rate > 0) {
        const auto owed = static_cast<std::uint64_t>(rate * nsToMs(now - floodStartNs_) / 1000.0);
        due = static_cast<std::size_t>(
            std::min<std::uint64_t>(kChunk, owed > floodSinceStart_ ? owed - floodSinceStart_ : 0));
    }
    if (due == 0) return;
    unsigned char chunk[kChunk];
    for (std::size_t i = 0; i < due; ++i) chunk[i] = static_cast<unsigned char>(nextByte_ + i);
    const ssize_t n = ::write(line_.masterFd(), chunk, due);
    if (n > 0) {
        nextByte_ = static_cast<unsigned char>(nextByte_ + n);
        floodSinceStart_ += static_cast<std::uint64_t>(n);
        flooded_ += static_cast<std::uint64_t>(n);
    }
}

void PtyPeer::run() {
    while (!stop_) {
        const double rate = floodRate_.load();
        pollfd fds[2] = {{line_.masterFd(), POLLIN, 0}, {wakeFd_, POLLIN, 0}};
        if (rate < 0) fds[0].events |= POLLOUT;
        // A paced flood is topped up every millisecond; otherwise sleep until something happens.
        const int timeout = rate > 0 ? 1 : -1;
        if (::poll(fds, 2, timeout) < 0) continue;
        const std::int64_t now = monotonicNs();
        if (fds[1].revents & POLLIN) {
            std::uint64_t count;
            [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &count, sizeof count);
        }
        if (fds[0].revents & POLLIN) readAvailable(now);
        if (fds[0].revents & POLLHUP) {
            // No one has the slave open (before the panel opens it, between its close and
            // reopen): the master reports a hang-up until then, so wait instead of spinning.
            usleep(1000);
            continue;
        }
        writeFlood(now);
    }
}

}  // namespace zoma::testing
