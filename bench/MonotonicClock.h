// One clock for every timestamp of the benchmarks, comparable between processes.
#pragma once

#include <time.h>

#include <cstdint>

namespace zoma::bench {

// CLOCK_MONOTONIC in nanoseconds: the same clock in the benchmark, its threads and the
// processes it starts, so a child's timestamp can be set against the moment it was spawned.
inline std::int64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

inline double nsToMs(std::int64_t ns) {
    return static_cast<double>(ns) / 1e6;
}

}  // namespace zoma::bench
