// A peer's thread of its own: a poll() loop over the peer's descriptors and a wake-up eventfd.
#pragma once

#include <poll.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <thread>

namespace zoma::testing {

// The peers of the tests (a pseudo-terminal's master, a device server's TCP port) each wait on a
// few descriptors on a thread of their own, so what the panel writes is stamped the moment it
// can be read, whatever the panel's thread is doing. This is that thread: each round asks the
// peer what to wait for, waits, drains the wake-up and hands the peer what came ready, stamped
// with one monotonic time. The wake-up cuts a wait short when the peer's wishes change (bytes
// to send, a flood rate), and ends the thread.
class PollThread {
  public:
    // Descriptors a peer may wait on in one round, besides the wake-up.
    static constexpr std::size_t kMaxWatched = 4;

    struct Round {
        // Adds a descriptor to wait on; a negative one is skipped by poll, as "not yet open".
        // Returns its index in fds.
        std::size_t watch(int fd, short events);

        pollfd fds[kMaxWatched] = {};
        std::size_t count = 0;
        // -1 waits until a descriptor is ready or the thread is woken.
        int timeoutMs = -1;
    };
    // On the thread, before each wait: what to wait on.
    using Prepare = std::function<void(Round& round)>;
    // On the thread, after each wait that did not fail: the descriptors with their revents.
    using Handle = std::function<void(const Round& round, std::int64_t nowNs)>;

    PollThread() = default;
    // Stops the thread if it still runs.
    ~PollThread();
    PollThread(const PollThread&) = delete;
    PollThread& operator=(const PollThread&) = delete;

    // Starts the loop; call once, after everything the callbacks use is ready.
    void start(Prepare prepare, Handle handle);
    // Ends the current wait early: the next round asks the peer again. From any thread.
    void wake();
    // Ends the loop and joins the thread. A peer calls it first thing in its destructor, before
    // it closes what the thread waits on.
    void stop();

  private:
    void run();

    Prepare prepare_;
    Handle handle_;
    int wakeFd_ = -1;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace zoma::testing
