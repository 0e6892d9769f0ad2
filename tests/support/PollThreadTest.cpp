// The peers' poll thread: ready descriptors reach the peer where it put them, a wake-up asks the
// peer again, and stopping never hangs on a wait without end.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "support/PollThread.h"

namespace zoma::testing {
namespace {

// Guards against a hang only: every wait ends as soon as its condition holds.
constexpr auto kHangGuard = std::chrono::seconds(8);

// A pipe the thread waits on, closed with the test.
struct Pipe {
    Pipe() { EXPECT_EQ(::pipe(fds), 0); }
    ~Pipe() {
        for (const int fd : fds) ::close(fd);
    }
    int readEnd() const { return fds[0]; }
    void put(char c) const { ASSERT_EQ(::write(fds[1], &c, 1), 1); }
    char take() const {
        char c = 0;
        EXPECT_EQ(::read(fds[0], &c, 1), 1);
        return c;
    }
    int fds[2] = {-1, -1};
};

// What the thread's callbacks saw, for the test's thread to wait on.
struct Seen {
    std::mutex mutex;
    std::condition_variable changed;
    int prepared = 0;
    std::vector<std::vector<short>> handled;  // revents of each round, by the peer's index

    template <typename Condition>
    bool waitFor(Condition condition) {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, kHangGuard, [&] { return condition(*this); });
    }
};

TEST(PollThreadTest, ReadyDescriptorsReachThePeerAtItsOwnIndices) {
    const struct {
        const char* name;
        bool firstReady;
        bool secondReady;
    } cases[] = {
        {"only the first ready", true, false},
        {"only the second ready", false, true},
        {"both ready", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Pipe first, second;
        if (c.firstReady) first.put('a');
        if (c.secondReady) second.put('b');
        Seen seen;
        PollThread thread;
        thread.start(
            [&](PollThread::Round& round) {
                // An unopened descriptor between the two is skipped, not reported.
                EXPECT_EQ(round.watch(first.readEnd(), POLLIN), 0u);
                EXPECT_EQ(round.watch(-1, POLLIN), 1u);
                EXPECT_EQ(round.watch(second.readEnd(), POLLIN), 2u);
                std::lock_guard<std::mutex> lock(seen.mutex);
                ++seen.prepared;
            },
            [&](const PollThread::Round& round, std::int64_t) {
                // Taken, so the next round waits again instead of spinning.
                if (round.fds[0].revents & POLLIN) first.take();
                if (round.fds[2].revents & POLLIN) second.take();
                std::lock_guard<std::mutex> lock(seen.mutex);
                seen.handled.push_back(
                    {round.fds[0].revents, round.fds[1].revents, round.fds[2].revents});
                seen.changed.notify_all();
            });
        ASSERT_TRUE(seen.waitFor([](Seen& s) { return !s.handled.empty(); }));
        thread.stop();
        const std::vector<short> expected = {short(c.firstReady ? POLLIN : 0), 0,
                                             short(c.secondReady ? POLLIN : 0)};
        EXPECT_EQ(seen.handled.front(), expected);
    }
}

TEST(PollThreadTest, AWakeUpAsksThePeerAgainWithoutWaitingForAnyDescriptor) {
    Pipe quiet;
    Seen seen;
    PollThread thread;
    thread.start(
        [&](PollThread::Round& round) {
            round.watch(quiet.readEnd(), POLLIN);
            std::lock_guard<std::mutex> lock(seen.mutex);
            ++seen.prepared;
            seen.changed.notify_all();
        },
        [&](const PollThread::Round& round, std::int64_t) {
            std::lock_guard<std::mutex> lock(seen.mutex);
            seen.handled.push_back({round.fds[0].revents});
        });
    ASSERT_TRUE(seen.waitFor([](Seen& s) { return s.prepared == 1; }));
    thread.wake();
    // The wake-up itself is drained: one round for it, then the thread waits again.
    ASSERT_TRUE(seen.waitFor([](Seen& s) { return s.prepared == 2; }));
    thread.stop();
    ASSERT_FALSE(seen.handled.empty());
    // The wake-up is the thread's own: the peer's descriptor is not reported ready for it.
    EXPECT_EQ(seen.handled.front(), std::vector<short>{0});
}

TEST(PollThreadTest, StopEndsAWaitWithoutEndAndIsSafeTwice) {
    Pipe quiet;
    bool waiting = false;
    std::mutex mutex;
    std::condition_variable started;
    PollThread thread;
    thread.start(
        [&](PollThread::Round& round) {
            round.watch(quiet.readEnd(), POLLIN);
            round.timeoutMs = -1;
            std::lock_guard<std::mutex> lock(mutex);
            waiting = true;
            started.notify_all();
        },
        [](const PollThread::Round&, std::int64_t) {});
    {
        std::unique_lock<std::mutex> lock(mutex);
        ASSERT_TRUE(started.wait_for(lock, kHangGuard, [&] { return waiting; }));
    }
    thread.stop();
    thread.stop();
}

}  // namespace
}  // namespace zoma::testing
