// Starts the built simulator with a log file of its own and waits for the terminal it names.
#include "support/SimulatorProcess.h"

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zoma::testing {

namespace {

// Only a guard against a simulator that never starts; it normally answers at once.
constexpr int kStartLimitMs = 10000;
constexpr const char* kTcpPrefix = "tcp://";

std::string freshLogPath() {
    char path[] = "/tmp/zoma-sim-log-XXXXXX";
    const int fd = ::mkstemp(path);
    if (fd < 0) return {};
    ::close(fd);
    return path;
}

}  // namespace

SimulatorProcess::SimulatorProcess(const std::vector<std::string>& options)
    : logPath_(freshLogPath()) {
    ChildProcess::Launch launch;
    launch.argv = {ZOMA_SIM_PATH, "--log", logPath_.empty() ? "/dev/null" : logPath_};
    launch.argv.insert(launch.argv.end(), options.begin(), options.end());
    process_ = std::make_unique<ChildProcess>(launch);
    std::string line;
    // The first line of output says where it serves; anything else means it did not start.
    if (process_->readLine(line, kStartLimitMs) &&
        (line.rfind("/dev/", 0) == 0 || line.rfind(kTcpPrefix, 0) == 0)) {
        device_ = line;
    }
}

SimulatorProcess::~SimulatorProcess() {
    process_.reset();
    if (!logPath_.empty()) ::unlink(logPath_.c_str());
}

std::string SimulatorProcess::log() const {
    std::ifstream file(logPath_);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

int SimulatorProcess::framesReceived(const std::string& code) const {
    // The log writes a received frame as "rx CODE<CR>".
    const std::string mark = "rx " + code + "<CR>";
    const std::string text = log();
    int count = 0;
    for (std::size_t at = text.find(mark); at != std::string::npos;
         at = text.find(mark, at + mark.size())) {
        ++count;
    }
    return count;
}

int SimulatorProcess::tcpPort() const {
    if (device_.rfind(kTcpPrefix, 0) != 0) return 0;
    return std::atoi(device_.c_str() + device_.rfind(':') + 1);
}

int SimulatorProcess::terminate(int limitMs) {
    process_->signal(SIGTERM);
    return process_->finish(limitMs);
}

}  // namespace zoma::testing
