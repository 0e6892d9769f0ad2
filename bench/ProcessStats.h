// What /proc says about a running process: CPU time and resident memory.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>

namespace zoma::bench {

// CPU time of every thread of a running process, in nanoseconds (the scheduler's own account
// from /proc/PID/task/*/schedstat), or nothing if the process is gone.
std::optional<std::int64_t> cpuTimeNs(pid_t pid);

// Resident set of a running process now (VmRSS) in KiB, or nothing.
std::optional<long> residentKiB(pid_t pid);

}  // namespace zoma::bench
