// Opening, failing and reopening the line, with one log line per change.
#include "gateway/LineKeeper.h"

#include <algorithm>
#include <utility>

namespace zoma::gateway {

namespace {

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

std::string seconds(int ms) {
    return std::to_string(ms / 1000) + " s";
}

}  // namespace

LineKeeper::LineKeeper(SerialPort& port, Timer& retry, std::function<void(const std::string&)> log)
    : port_(port), retry_(retry), log_(std::move(log)) {
    retry_.setEnabled(false);
    retry_.onTick = [this] {
        retry_.setEnabled(false);
        attempt();
    };
}

LineKeeper::~LineKeeper() {
    retry_.setEnabled(false);
    retry_.onTick = nullptr;
}

std::string LineKeeper::where() const {
    return port_.device();
}

void LineKeeper::start() {
    stopped_ = false;
    attempt();
}

void LineKeeper::stop() {
    stopped_ = true;
    retry_.setEnabled(false);
    port_.close();
}

void LineKeeper::attempt() {
    if (stopped_ || port_.isOpen()) return;
    if (port_.open()) {
        if (everOpened_) {
            ++reconnects_;
            log_("line " + where() + " is back");
        } else {
            log_("line " + where() + " open");
        }
        everOpened_ = true;
        lastReason_.clear();
        pauseMs_ = kFirstPauseMs;
        if (onOpened) onOpened();
        return;
    }
    // The first line of the open's words is the system's reason.
    const std::string reason = firstLine(port_.errorText());
    if (reason != lastReason_) {
        log_("line " + where() + " cannot be opened: " + reason + "; trying again every " +
             seconds(kFirstPauseMs) + " to " + seconds(kLongestPauseMs));
        lastReason_ = reason;
    }
    scheduleRetry();
}

void LineKeeper::lineFailed(const std::string& reason) {
    if (stopped_) return;
    log_("line " + where() + " lost: " + firstLine(reason) + "; reopening");
    lastReason_ = firstLine(reason);
    pauseMs_ = kFirstPauseMs;
    scheduleRetry();
}

void LineKeeper::scheduleRetry() {
    if (stopped_) return;
    retry_.setInterval(pauseMs_);
    retry_.setEnabled(true);
    pauseMs_ = std::min(pauseMs_ * 2, kLongestPauseMs);
}

}  // namespace zoma::gateway
