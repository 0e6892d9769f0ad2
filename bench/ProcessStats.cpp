// Reading a process's CPU time and resident set from /proc.
#include "ProcessStats.h"

#include <dirent.h>

#include <fstream>
#include <string>

namespace zoma::bench {

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
