// The simulator's command line: line faults, start state and where the log goes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/ProjectorModel.h"
#include "sim/ReplySchedule.h"

namespace zoma::sim {

// Where --tcp listens unless --listen names another address: this machine only.
inline constexpr const char* kLoopbackAddress = "127.0.0.1";

struct SimOptions {
    std::string linkPath;                      // empty: no symbolic link
    std::optional<int> tcpPort;                // empty: a pseudo-terminal; 0: any free port
    std::optional<std::string> listenAddress;  // an IPv4 or IPv6 literal; empty: kLoopbackAddress
    int dropAfter = 0;    // with tcpPort: close a connection after its N-th frame; 0: never
    std::string logPath;  // empty: standard error
    ModelSettings model;
    ReplyTiming timing;
    std::optional<double> noisePerSecond;
    std::uint32_t seed = 1;
    bool stream = false;
    std::optional<double> streamPerSecond;  // empty with `stream`: as fast as the line takes it
};

struct ParsedOptions {
    SimOptions options;
    bool help = false;
    std::string error;  // empty when the command line was good
};

// Reads the arguments after the program name. "--name value" and "--name=value" both work.
// Options that belong to one kind of line are refused with the other.
ParsedOptions parseOptions(const std::vector<std::string>& args);

std::string helpText(const std::string& program);

}  // namespace zoma::sim
