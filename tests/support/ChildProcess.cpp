// fork and execve with every argument prepared first: the caller may have threads, so the child
// only makes system calls between fork and exec.
#include "support/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "support/MonotonicClock.h"

extern char** environ;

namespace zoma::testing {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> mergedEnvironment(
    const std::vector<std::pair<std::string, std::string>>& changes) {
    std::vector<std::string> merged;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        bool replaced = false;
        for (const auto& change : changes) replaced = replaced || change.first == name;
        if (!replaced) merged.push_back(text);
    }
    for (const auto& change : changes) merged.push_back(change.first + '=' + change.second);
    return merged;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ChildProcess::ChildProcess(const Launch& launch) {
    std::vector<std::string> argv = launch.argv;
    std::vector<std::string> envp = mergedEnvironment(launch.environment);
    std::vector<char*> argvPointers = pointersTo(argv);
    std::vector<char*> envPointers = pointersTo(envp);
    const std::string errPath = launch.stderrPath.empty() ? "/dev/null" : launch.stderrPath;

    // Close-on-exec, so that no other child holds this pipe open and hides its end.
    int out[2] = {-1, -1};
    if (argv.empty()) return;
    if (launch.captureOutput ? ::pipe2(out, O_CLOEXEC) != 0
                             : (out[1] = ::open("/dev/null", O_WRONLY | O_CLOEXEC)) < 0) {
        return;
    }
    const int errFd = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int inFd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);

    const pid_t parent = ::getpid();
    spawnedAtNs_ = monotonicNs();
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(inFd, STDIN_FILENO);
        ::dup2(out[1], STDOUT_FILENO);
        if (errFd >= 0) ::dup2(errFd, STDERR_FILENO);
        // Nothing else of the caller (pseudo-terminal masters, other pipes) leaks into the child.
        ::close_range(3, ~0U, 0);
        // A test that dies (crash, ctest's timeout) takes its children with it.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) ::_exit(127);
        ::execve(argvPointers[0], argvPointers.data(), envPointers.data());
        ::_exit(127);
    }
    ::close(out[1]);
    if (errFd >= 0) ::close(errFd);
    if (inFd >= 0) ::close(inFd);
    if (pid_ < 0) {
        if (out[0] >= 0) ::close(out[0]);
        return;
    }
    stdout_ = out[0];
}

ChildProcess::~ChildProcess() {
    stop();
    if (stdout_ >= 0) ::close(stdout_);
}

bool ChildProcess::fill(int limitMs) {
    if (stdout_ < 0) return false;
    pollfd pfd{stdout_, POLLIN, 0};
    if (::poll(&pfd, 1, limitMs) <= 0) return false;
    char buffer[4096];
    const ssize_t n = ::read(stdout_, buffer, sizeof buffer);
    if (n <= 0) {
        ::close(stdout_);
        stdout_ = -1;
        return false;
    }
    pending_.append(buffer, static_cast<std::size_t>(n));
    return true;
}

bool ChildProcess::readLine(std::string& line, int limitMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    std::size_t end;
    while ((end = pending_.find('\n')) == std::string::npos) {
        if (!fill(millisecondsUntil(deadline))) return false;
    }
    line = pending_.substr(0, end);
    pending_.erase(0, end + 1);
    return true;
}

std::string ChildProcess::readToEnd(int limitMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    while (fill(millisecondsUntil(deadline))) {
    }
    std::string all;
    all.swap(pending_);
    return all;
}

void ChildProcess::signal(int number) {
    if (!exited() && pid_ > 0) ::kill(pid_, number);
}

bool ChildProcess::reap(int options) {
    int status = 0;
    rusage usage{};
    pid_t done;
    while ((done = ::wait4(pid_, &status, options, &usage)) < 0 && errno == EINTR) {
    }
    if (done != pid_) return false;
    status_ = status;
    maxRssKiB_ = usage.ru_maxrss;
    const auto ns = [](const timeval& t) {
        return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_usec * 1000;
    };
    cpuTimeNs_ = ns(usage.ru_utime) + ns(usage.ru_stime);
    exited_ = true;
    pid_ = -1;
    return true;
}

bool ChildProcess::exited() {
    if (exited_) return true;
    return pid_ > 0 && reap(WNOHANG);
}

int ChildProcess::finish(int limitMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    while (!exited() && pid_ > 0 && millisecondsUntil(deadline) > 0) ::usleep(2000);
    if (!exited()) {
        stop(0);
        return -1;
    }
    return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
}

void ChildProcess::stop(int limitMs) {
    if (exited() || pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    while (!exited() && millisecondsUntil(deadline) > 0) ::usleep(2000);
    if (exited()) return;
    ::kill(pid_, SIGKILL);
    reap(0);
}

}  // namespace zoma::testing
