// A program a test or benchmark starts beside itself: output on a pipe, stopped and reaped when
// dropped, with its spawn time, CPU time and peak memory for the benchmarks.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zoma::testing {

class ChildProcess {
  public:
    struct Launch {
        // argv[0] is the program's path; no search along PATH.
        std::vector<std::string> argv;
        // Added to, or replacing, this process's own environment.
        std::vector<std::pair<std::string, std::string>> environment;
        // Where standard error goes; /dev/null when empty.
        std::string stderrPath;
        // Standard output on a pipe for readLine(); otherwise to /dev/null.
        bool captureOutput = true;
    };

    explicit ChildProcess(const Launch& launch);
    // A child still running gets SIGTERM, then SIGKILL, and is reaped.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // False when the fork itself failed; a program that cannot be executed exits with 127.
    bool started() const { return pid_ > 0 || exited_; }
    // The running child's process id, or -1 once it has been reaped.
    pid_t pid() const { return pid_; }
    // Monotonic time taken just before the fork.
    std::int64_t spawnedAtNs() const { return spawnedAtNs_; }

    // The next line of standard output without its newline, or nothing at end of output or when
    // `limitMs` passes first. The limit only guards against a hang.
    bool readLine(std::string& line, int limitMs);
    // Standard output up to its end, or what came before `limitMs` passed.
    std::string readToEnd(int limitMs);

    void signal(int number);
    // True once the program has ended; its wait status is then in waitStatus().
    bool exited();
    int waitStatus() const { return status_; }
    // Peak resident set of the ended program, in KiB.
    long maxRssKiB() const { return maxRssKiB_; }
    // CPU time the ended program used, user and system, in nanoseconds.
    std::int64_t cpuTimeNs() const { return cpuTimeNs_; }
    // Waits for the end; kills the program if it outlives `limitMs`. Returns the exit code, or
    // -1 when it ended by a signal or was killed.
    int finish(int limitMs);
    // SIGTERM, then SIGKILL if the program outlives `limitMs`; reaps it either way.
    void stop(int limitMs = 5000);

  private:
    bool fill(int limitMs);
    bool reap(int options);

    pid_t pid_ = -1;
    int stdout_ = -1;
    bool exited_ = false;
    int status_ = 0;
    long maxRssKiB_ = 0;
    std::int64_t cpuTimeNs_ = 0;
    std::int64_t spawnedAtNs_ = 0;
    std::string pending_;
};

}  // namespace zoma::testing
