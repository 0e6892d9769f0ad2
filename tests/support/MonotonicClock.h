// One clock for every timestamp of the tests and benchmarks, comparable between processes.
#pragma once

#include <chrono>
#include <cstdint>

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

}  // namespace zoma::testing
