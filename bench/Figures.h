// The figures the benchmark measures; each adds its rows to the one table.
#pragma once

#include <string>

#include "ResultTable.h"

namespace zoma::bench {

struct BenchConfig {
    // A shorter run: fewer samples and shorter holds and floods.
    bool quick = false;
    // Programs the process figures start.
    std::string panelPath;
    std::string simulatorPath;
    std::string startupProbePath;
    std::string startupFloorPath;
    std::string ctlPath;
};

// In this process, on the real window, serial port and timers.
void measurePressLatency(const BenchConfig& config, ResultTable& table);
void measureRepeatPace(const BenchConfig& config, ResultTable& table);
void measureReplyWindow(const BenchConfig& config, ResultTable& table);
void measureFloodClicks(const BenchConfig& config, ResultTable& table);

// Other processes: the start-up probe and its floor on Xvfb, the real panel and the projector
// simulator.
void measureStartUp(const BenchConfig& config, ResultTable& table);
void measureIdle(const BenchConfig& config, ResultTable& table);
void measureFloodLoad(const BenchConfig& config, ResultTable& table);

// zoma-gateway on the simulator and on a terminal of the benchmark's own, with PJLink
// controllers, scrapes and the in-process panel on its raw port.
void measureGateway(const BenchConfig& config, ResultTable& table);

}  // namespace zoma::bench
