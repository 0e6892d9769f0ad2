// Keeps a gateway's line open: opened at start, and reopened with growing pauses whenever it
// cannot be opened or fails while open, so the gateway serves on through a device server's
// restart or an adapter pulled and plugged back.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/SerialPort.h"
#include "platform/Timer.h"

namespace zoma::gateway {

class LineKeeper {
  public:
    // Pauses between attempts: 1 s, then twice as long each time, at most 30 s.
    static constexpr int kFirstPauseMs = 1000;
    static constexpr int kLongestPauseMs = 30000;

    // `log` takes one line for each change: the line opened, could not be opened (and why, again
    // only when the reason changes), was lost, came back.
    LineKeeper(SerialPort& port, Timer& retry, std::function<void(const std::string&)> log);
    ~LineKeeper();
    LineKeeper(const LineKeeper&) = delete;
    LineKeeper& operator=(const LineKeeper&) = delete;

    // Opens the line, or starts trying to.
    void start();
    // The line failed while open (the port has closed it): reopening starts after a pause.
    void lineFailed(const std::string& reason);
    // Closes the line for good: no more attempts.
    void stop();

    bool isUp() const { return port_.isOpen(); }
    // How often the line came back after it was down (not counting the first open).
    std::uint64_t reconnects() const { return reconnects_; }
    // The pause before the next attempt, while the line is down.
    int nextPauseMs() const { return pauseMs_; }

    // Called each time the line opens, at start and after every recovery.
    std::function<void()> onOpened;

  private:
    void attempt();
    void scheduleRetry();
    std::string where() const;

    SerialPort& port_;
    Timer& retry_;
    std::function<void(const std::string&)> log_;
    int pauseMs_ = kFirstPauseMs;
    bool everOpened_ = false;
    bool stopped_ = false;
    std::string lastReason_;
    std::uint64_t reconnects_ = 0;
};

}  // namespace zoma::gateway
