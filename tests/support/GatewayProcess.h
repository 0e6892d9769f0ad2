// The built zoma-gateway running beside a test: its listeners' ports, its log, its end.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace zoma::testing {

class GatewayProcess {
  public:
    // `options` as on its command line; `listeners` the names it is expected to print
    // ("pjlink", "raw", "metrics").
    GatewayProcess(const std::vector<std::string>& options,
                   const std::vector<std::string>& listeners = {"pjlink"});
    ~GatewayProcess();
    GatewayProcess(const GatewayProcess&) = delete;
    GatewayProcess& operator=(const GatewayProcess&) = delete;

    // True once every listener expected has said where it listens.
    bool ok() const { return ok_; }
    // The port a listener listens on, 0 when it did not say.
    int port(const std::string& listener) const;
    // Everything logged on standard error so far.
    std::string log() const;
    // Waits until the log holds `text`, within the limit.
    bool waitForLog(const std::string& text, int limitMs) const;
    ChildProcess& process() { return *process_; }

  private:
    std::string logPath_;
    std::unique_ptr<ChildProcess> process_;
    std::map<std::string, int> ports_;
    bool ok_ = false;
};

}  // namespace zoma::testing
