// Starts the built gateway with a log of its own and reads the listeners it prints.
#include "support/GatewayProcess.h"

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace zoma::testing {

namespace {

constexpr int kStartLimitMs = 10000;

std::string freshLogPath() {
    char path[] = "/tmp/zoma-gateway-log-XXXXXX";
    const int fd = ::mkstemp(path);
    if (fd < 0) return {};
    ::close(fd);
    return path;
}

}  // namespace

GatewayProcess::GatewayProcess(const std::vector<std::string>& options,
                               const std::vector<std::string>& listeners)
    : logPath_(freshLogPath()) {
    ChildProcess::Launch launch;
    launch.argv = {ZOMA_GATEWAY_PATH};
    launch.argv.insert(launch.argv.end(), options.begin(), options.end());
    launch.stderrPath = logPath_;
    process_ = std::make_unique<ChildProcess>(launch);
    // "pjlink 127.0.0.1:40123": a name, an address, the port after the last colon.
    std::string line;
    while (ports_.size() < listeners.size() && process_->readLine(line, kStartLimitMs)) {
        const auto blank = line.find(' ');
        const auto colon = line.rfind(':');
        if (blank == std::string::npos || colon == std::string::npos) break;
        ports_[line.substr(0, blank)] = std::stoi(line.substr(colon + 1));
    }
    ok_ = ports_.size() == listeners.size();
}

GatewayProcess::~GatewayProcess() {
    process_.reset();
    if (!logPath_.empty()) ::unlink(logPath_.c_str());
}

int GatewayProcess::port(const std::string& listener) const {
    const auto found = ports_.find(listener);
    return found == ports_.end() ? 0 : found->second;
}

std::string GatewayProcess::log() const {
    std::ifstream file(logPath_);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool GatewayProcess::waitForLog(const std::string& text, int limitMs) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (log().find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

}  // namespace zoma::testing
