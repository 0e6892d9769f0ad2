// posix_spawn with a pipe for standard output, wait4 for the peak resident set.
#include "ChildProcess.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "MonotonicClock.h"

extern char** environ;

namespace zoma::bench {

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const Environment& extraEnvironment, bool captureOutput) {
    std::map<std::string, std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::size_t equals = text.find('=');
        if (equals != std::string::npos)
            variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    for (const auto& [name, value] : extraEnvironment) variables[name] = value;
    std::vector<std::string> envText;
    for (const auto& [name, value] : variables) envText.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& text : envText) envp.push_back(text.data());
    envp.push_back(nullptr);
    std::vector<std::string> args = argv;
    std::vector<char*> argp;
    for (std::string& arg : args) argp.push_back(arg.data());
    argp.push_back(nullptr);

    int pipeFds[2] = {-1, -1};
    if (captureOutput && ::pipe2(pipeFds, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (captureOutput) {
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    spawnedAtNs_ = monotonicNs();
    pid_t pid = -1;
    const int result = posix_spawn(&pid, argp[0], &actions, nullptr, argp.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (captureOutput) {
        ::close(pipeFds[1]);
        outputFd_ = pipeFds[0];
    }
    if (result == 0) pid_ = pid;
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    if (outputFd_ >= 0) ::close(outputFd_);
}

std::optional<std::string> ChildProcess::readLine(int timeoutMs) {
    const std::int64_t deadline = monotonicNs() + static_cast<std::int64_t>(timeoutMs) * 1000000;
    while (outputFd_ >= 0) {
        const std::size_t newline = pending_.find('\n');
        if (newline != std::string::npos) {
            std::string line = pending_.substr(0, newline);
            pending_.erase(0, newline + 1);
            return line;
        }
        const std::int64_t left = deadline - monotonicNs();
        if (left <= 0) return std::nullopt;
        pollfd pfd{outputFd_, POLLIN, 0};
        if (::poll(&pfd, 1, static_cast<int>(left / 1000000) + 1) <= 0) continue;
        char buffer[512];
        const ssize_t n = ::read(outputFd_, buffer, sizeof buffer);
        if (n <= 0) return std::nullopt;
        pending_.append(buffer, static_cast<std::size_t>(n));
    }
    return std::nullopt;
}

void ChildProcess::signal(int number) {
    if (pid_ > 0) ::kill(pid_, number);
}

std::optional<ChildProcess::Exit> ChildProcess::wait(int timeoutMs) {
    if (pid_ <= 0) return std::nullopt;
    const std::int64_t deadline = monotonicNs() + static_cast<std::int64_t>(timeoutMs) * 1000000;
    while (true) {
        int status = 0;
        rusage usage{};
        const pid_t done = ::wait4(pid_, &status, WNOHANG, &usage);
        if (done == pid_) {
            pid_ = -1;
            return Exit{status, usage.ru_maxrss};
        }
        if (done < 0 || monotonicNs() >= deadline) return std::nullopt;
        ::usleep(2000);
    }
}

std::optional<std::int64_t> cpuTimeNs(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = ::opendir(tasks.c_str());
    if (dir == nullptr) return std::nullopt;
    std::int64_t total = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        std::ifstream schedstat(tasks + "/" + entry->d_name + "/schedstat");
        std::int64_t onCpu = 0;
        if (schedstat >> onCpu) total += onCpu;
    }
    ::closedir(dir);
    return total;
}

std::optional<long> residentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return std::nullopt;
}

}  // namespace zoma::bench
