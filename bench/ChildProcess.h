// A program the benchmarks start, watch through /proc and stop: the real panel, the simulator.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zoma::bench {

class ChildProcess {
  public:
    using Environment = std::vector<std::pair<std::string, std::string>>;

    // Starts `argv` with the benchmark's environment plus `extraEnvironment`. Standard output
    // is kept for readLine() when `captureOutput`, otherwise it goes to /dev/null like
    // standard error.
    ChildProcess(const std::vector<std::string>& argv, const Environment& extraEnvironment,
                 bool captureOutput);
    // A child still running is killed and reaped.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    // Monotonic time taken just before the child was spawned.
    std::int64_t spawnedAtNs() const { return spawnedAtNs_; }

    // One line of the child's standard output, without its newline; nothing on timeout or EOF.
    std::optional<std::string> readLine(int timeoutMs);

    void signal(int number);

    struct Exit {
        int status;      // as waitpid reports it
        long maxRssKiB;  // peak resident set of the child
    };
    // Waits for the child to end; nothing if it is still running after `timeoutMs`.
    std::optional<Exit> wait(int timeoutMs);

  private:
    pid_t pid_ = -1;
    int outputFd_ = -1;
    std::int64_t spawnedAtNs_ = 0;
    std::string pending_;
};

// CPU time of every thread of a running process, in nanoseconds (the scheduler's own account
// from /proc/PID/task/*/schedstat), or nothing if the process is gone.
std::optional<std::int64_t> cpuTimeNs(pid_t pid);

// Resident set of a running process now (VmRSS) in KiB, or nothing.
std::optional<long> residentKiB(pid_t pid);

}  // namespace zoma::bench
