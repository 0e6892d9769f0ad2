// A program a test starts beside itself: its output on a pipe, stopped and reaped when dropped.
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

namespace zoma::testing {

class ChildProcess {
  public:
    struct Launch {
        // argv[0] is the program's path; no search along PATH.
        std::vector<std::string> argv;
        // Added to, or replacing, the test's own environment.
        std::vector<std::pair<std::string, std::string>> environment;
        // Where standard error goes; /dev/null when empty.
        std::string stderrPath;
    };

    explicit ChildProcess(const Launch& launch);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // False when the fork itself failed; a program that cannot be executed exits with 127.
    bool started() const { return pid_ > 0 || exited_; }

    // The next line of standard output without its newline, or nothing at end of output or when
    // `limitMs` passes first. The limit only guards against a hang.
    bool readLine(std::string& line, int limitMs);
    // Standard output up to its end, or what came before `limitMs` passed.
    std::string readToEnd(int limitMs);

    // True once the program has ended; its wait status is then in waitStatus().
    bool exited();
    int waitStatus() const { return status_; }
    // Waits for the end; kills the program if it outlives `limitMs`. Returns the exit code, or
    // -1 when it ended by a signal or was killed.
    int finish(int limitMs);
    // SIGTERM, then SIGKILL if the program outlives `limitMs`; reaps it either way.
    void stop(int limitMs = 5000);

  private:
    bool fill(int limitMs);

    pid_t pid_ = -1;
    int stdout_ = -1;
    bool exited_ = false;
    int status_ = 0;
    std::string pending_;
};

}  // namespace zoma::testing
