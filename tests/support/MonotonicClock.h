// One clock for every timestamp of the tests and benchmarks, comparable between processes.
#pragma once

#include <chrono>
#include <cstdint>
#include <thread>

namespace zoma::testing {

// The steady clock in nanoseconds. On Linux it is CLOCK_MONOTONIC, the same clock in this
// process, its threads and the programs it starts, so a child's timestamp can be set against the
// moment it was spawned.
inline std::int64_t monotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

inline double nsToMs(std::int64_t ns) {
    return static_cast<double>(ns) / 1e6;
}

// What is left until a deadline on the steady clock, in whole milliseconds for poll(); 0 once
// it has passed.
inline int millisecondsUntil(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Blocks the calling thread (not an event loop) for that long.
inline void sleepMs(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace zoma::testing
