// The simulator's command line: line faults, start state and where the log goes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/ProjectorModel.h"
#include "sim/ReplySchedule.h"

namespace zoma::sim {

struct SimOptions {
    std::string linkPath;  // empty: no symbolic link
    std::string logPath;   // empty: standard error
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
ParsedOptions parseOptions(const std::vector<std::string>& args);

std::string helpText(const std::string& program);

}  // namespace zoma::sim
