// The projector simulator running beside a test, on its own pseudo-terminal or a TCP port.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace zoma::testing {

class SimulatorProcess {
  public:
    // `options` as on the simulator's command line ("--state", "on", "--split", "1", ...).
    explicit SimulatorProcess(const std::vector<std::string>& options = {});
    // Ends the simulator with SIGTERM and reaps it; removes its log.
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // True once the simulator has said where it serves.
    bool ok() const { return !device_.empty(); }
    // The device the panel opens: the terminal's path, or "tcp://127.0.0.1:PORT" with --tcp.
    const std::string& device() const { return device_; }
    // The TCP port it listens on, or 0 on a terminal.
    int tcpPort() const;
    // Everything the simulator has logged so far: one line per frame received and reply sent.
    std::string log() const;
    // How many frames with this code (three characters) the simulator has received.
    int framesReceived(const std::string& code) const;
    // SIGTERM, as an operator's kill would; returns the exit code, or -1 if it had to be killed
    // after `limitMs` or ended by a signal.
    int terminate(int limitMs = 5000);

  private:
    std::string logPath_;
    std::unique_ptr<ChildProcess> process_;
    std::string device_;
};

}  // namespace zoma::testing
