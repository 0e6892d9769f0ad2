// A private X server (Xvfb) for one test, and the X client tools run against it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace zoma::testing {

// The full path of a program found along PATH, or empty.
std::string findProgram(const std::string& name);

class VirtualDisplay {
  public:
    // Starts Xvfb on a display number it finds free, and waits until it accepts clients.
    VirtualDisplay();
    // Stops the server whatever state the test left it in.
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    bool ok() const { return failure_.empty(); }
    // Why the server is not there, for the test's skip message.
    const std::string& failure() const { return failure_; }
    // ":N", for DISPLAY.
    const std::string& name() const { return name_; }
    // The authority file its clients need, for XAUTHORITY (start() and run() pass it on).
    const std::string& authority() const { return authority_; }

    struct Outcome {
        int exitCode = -1;  // -1: killed at the limit, or ended by a signal
        std::string output;
    };
    // Starts an X client on this display, with these extra variables; a bare program name is
    // looked up along PATH.
    std::unique_ptr<ChildProcess> start(
        const std::vector<std::string>& argv,
        const std::vector<std::pair<std::string, std::string>>& environment = {},
        const std::string& stderrPath = {}) const;
    // Runs an X client to its end; the limit only guards a hang.
    Outcome run(const std::vector<std::string>& argv, int limitMs) const;

  private:
    std::unique_ptr<ChildProcess> server_;
    std::string authorityFolder_;
    // The file holding the cookie every client of this server needs.
    std::string authority_;
    std::string name_;
    std::string failure_;
};

}  // namespace zoma::testing
