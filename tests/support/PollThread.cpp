// The loop: the wake-up first in the poll set, the peer's descriptors after it.
#include "support/PollThread.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cassert>
#include <utility>

#include "support/MonotonicClock.h"

namespace zoma::testing {

std::size_t PollThread::Round::watch(int fd, short events) {
    assert(count < kMaxWatched);
    fds[count] = {fd, events, 0};
    return count++;
}

PollThread::~PollThread() {
    stop();
}

void PollThread::start(Prepare prepare, Handle handle) {
    prepare_ = std::move(prepare);
    handle_ = std::move(handle);
    wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    thread_ = std::thread([this] { run(); });
}

void PollThread::wake() {
    if (wakeFd_ >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    }
}

void PollThread::stop() {
    stop_ = true;
    wake();
    if (thread_.joinable()) thread_.join();
    if (wakeFd_ >= 0) ::close(std::exchange(wakeFd_, -1));
}

void PollThread::run() {
    while (!stop_) {
        Round round;
        prepare_(round);
        pollfd fds[kMaxWatched + 1] = {{wakeFd_, POLLIN, 0}};
        for (std::size_t i = 0; i < round.count; ++i) fds[i + 1] = round.fds[i];
        if (::poll(fds, round.count + 1, round.timeoutMs) < 0) continue;
        const std::int64_t now = monotonicNs();
        if (fds[0].revents & POLLIN) {
            std::uint64_t count;
            [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &count, sizeof count);
        }
        for (std::size_t i = 0; i < round.count; ++i) round.fds[i].revents = fds[i + 1].revents;
        handle_(round, now);
    }
}

}  // namespace zoma::testing
