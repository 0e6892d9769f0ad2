// The built simulator running beside a test, and reads from it that cannot hang the test.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

namespace zoma::sim::testing {

// Guards against a hang only; nothing here measures how fast the simulator is.
inline constexpr int kHangGuardMs = 5000;

// Reads `count` bytes, or up to and including `end` when count is 0; stops early at the guard
// or at the end of the input.
inline std::string readFrom(int fd, std::size_t count, char end = '\r') {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kHangGuardMs);
    std::string bytes;
    while (count == 0 ? (bytes.empty() || bytes.back() != end) : bytes.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
        char c;
        if (::read(fd, &c, 1) != 1) break;
        bytes += c;
    }
    return bytes;
}

// Sends a frame and reads its reply: `count` bytes, or up to CR when count is 0.
inline std::string ask(int fd, const std::string& frame, std::size_t count = 0) {
    if (::write(fd, frame.data(), frame.size()) != static_cast<ssize_t>(frame.size())) return "";
    return readFrom(fd, count);
}

// Killed when dropped, and when the test process dies, so no simulator outlives its test.
class SimProcess {
  public:
    explicit SimProcess(std::vector<std::string> args) {
        // Close-on-exec, so a simulator started later does not hold this one's pipe open.
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::dup2(out[1], STDOUT_FILENO);
            std::vector<char*> argv{const_cast<char*>(ZOMA_SIM_PATH)};
            for (std::string& arg : args) argv.push_back(arg.data());
            argv.push_back(nullptr);
            ::execv(ZOMA_SIM_PATH, argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        stdout_ = out[0];
    }

    ~SimProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (stdout_ >= 0) ::close(stdout_);
    }

    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Where the simulator serves the projector: a device path or "tcp://HOST:PORT".
    std::string firstLine() {
        std::string line = readFrom(stdout_, 0, '\n');
        if (!line.empty() && line.back() == '\n') line.pop_back();
        return line;
    }

    // Sends SIGTERM and returns the wait status, or -1 if the process outlives the guard.
    int terminate() {
        ::kill(pid_, SIGTERM);
        for (int waited = 0; waited < kHangGuardMs; waited += 10) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return status;
            }
            ::poll(nullptr, 0, 10);
        }
        return -1;
    }

  private:
    pid_t pid_ = -1;
    int stdout_ = -1;
};

}  // namespace zoma::sim::testing
