// Start-up of zoma-panel set against its floor, a bare Qt window of as many stock widgets, both
// on one private X server, the window system the panel's users have.
#include <algorithm>
#include <optional>
#include <sstream>
#include <utility>

#include "Figures.h"
#include "Stats.h"
#include "support/ChildProcess.h"
#include "support/MonotonicClock.h"
#include "support/PtyPeer.h"
#include "support/VirtualDisplay.h"

namespace zoma::bench {

namespace {

using testing::ChildProcess;
using testing::monotonicNs;
using testing::nsToMs;
using testing::VirtualDisplay;

// Runs of each program, in blocks of a few, the two programs taking turns, so that a build
// starting on the shared machine halfway through weighs on both alike.
constexpr int kRunsEach = 15;
constexpr int kBlockRuns = 5;
// Guards against a hang only; a start takes a fraction of a second.
constexpr int kHangGuardMs = 20000;
constexpr double kMiB = 1024.0;

// One program's figures, run by run.
struct Figures {
    std::vector<double> paintedMs;  // spawn to the first paint done
    std::vector<double> wholeMs;    // spawn to the end of the process
    std::vector<double> cpuMs;      // user and system time of the whole process
    std::vector<double> peakMiB;    // peak resident set of the whole process
    // The median whole-process time of each block, to show how much the machine moved.
    std::vector<double> blockWholeMs;
    int failed = 0;
};

// One start of the program, ended by itself at its first paint; false when it gave nothing.
bool runOnce(const VirtualDisplay& display, const std::string& program, const std::string& device,
             Figures& figures) {
    const std::unique_ptr<ChildProcess> child =
        display.start({program}, {{"ZOMA_COM1", device}, {"QT_QPA_PLATFORM", "xcb"}});
    // Its output ends as the process does: the moment the whole start is over.
    const std::string output = child->readToEnd(kHangGuardMs);
    const std::int64_t endedAt = monotonicNs();
    const int code = child->finish(kHangGuardMs);
    long long paintAt = 0, doneAt = 0;
    long rssAtPaint = 0;
    std::istringstream fields(output);
    if (code != 0 || !(fields >> paintAt >> doneAt >> rssAtPaint)) return false;
    const std::int64_t spawnedAt = child->spawnedAtNs();
    figures.paintedMs.push_back(nsToMs(doneAt - spawnedAt));
    figures.wholeMs.push_back(nsToMs(endedAt - spawnedAt));
    figures.cpuMs.push_back(nsToMs(child->cpuTimeNs()));
    figures.peakMiB.push_back(static_cast<double>(child->maxRssKiB()) / kMiB);
    return true;
}

void runBlock(const VirtualDisplay& display, const std::string& program, const std::string& device,
              Figures& figures) {
    const std::size_t before = figures.wholeMs.size();
    for (int i = 0; i < kBlockRuns; ++i) {
        if (!runOnce(display, program, device, figures)) ++figures.failed;
    }
    const std::vector<double> block(figures.wholeMs.begin() + before, figures.wholeMs.end());
    if (!block.empty()) figures.blockWholeMs.push_back(summarize(block).median);
}

double median(const std::vector<double>& values) {
    return summarize(values).median;
}

// "panel 120.1 ms, floor 98.0 ms, ratio 1.23"
std::string sideBySide(double panel, double floor, const char* unit) {
    return format("panel %.1f %s, floor %.1f %s, ratio %.2f", panel, unit, floor, unit,
                  panel / floor);
}

}  // namespace

void measureStartUp(const BenchConfig& config, ResultTable& table) {
    const char* const name = "start-up under Xvfb";
    const VirtualDisplay display;
    if (!display.ok()) {
        table.failed(name, display.failure());
        return;
    }
    // The panel opens COM1 as it loads: a terminal that stays open for every run.
    const testing::PtyPeer peer;
    const std::string& device = peer.slavePath();
    Figures panel, floor;
    // One start of each first, unmeasured: the libraries and fonts are read into the page cache.
    Figures warmUp;
    runOnce(display, config.startupProbePath, device, warmUp);
    runOnce(display, config.startupFloorPath, device, warmUp);
    for (int block = 0; block * kBlockRuns < kRunsEach; ++block) {
        // Panel first, then floor first, and so on, so neither always follows the other.
        std::pair<const std::string*, Figures*> order[] = {{&config.startupProbePath, &panel},
                                                           {&config.startupFloorPath, &floor}};
        if (block % 2 == 1) std::swap(order[0], order[1]);
        for (const auto& [program, figures] : order) runBlock(display, *program, device, *figures);
    }
    if (panel.wholeMs.empty() || floor.wholeMs.empty()) {
        table.failed(name,
                     format("the probe %s or the floor %s gave nothing",
                            config.startupProbePath.c_str(), config.startupFloorPath.c_str()));
        return;
    }
    const std::string runs =
        format("%zu + %zu runs", panel.wholeMs.size(), floor.wholeMs.size()) +
        (panel.failed + floor.failed > 0 ? format(", %d failed", panel.failed + floor.failed) : "");

    const double painted = median(panel.paintedMs);
    table.add(format("%s: spawn to first window painted", name),
              sideBySide(painted, median(floor.paintedMs), "ms"), "panel < 60 ms", painted < 60);
    // The ratio of each pair of blocks, panel's against floor's, for the spread.
    std::vector<double> blockRatios;
    for (std::size_t i = 0; i < std::min(panel.blockWholeMs.size(), floor.blockWholeMs.size());
         ++i) {
        blockRatios.push_back(panel.blockWholeMs[i] / floor.blockWholeMs[i]);
    }
    const auto [low, high] = std::minmax_element(blockRatios.begin(), blockRatios.end());
    const double wholeRatio = median(panel.wholeMs) / median(floor.wholeMs);
    table.add(format("%s: whole process, wall time", name),
              sideBySide(median(panel.wholeMs), median(floor.wholeMs), "ms") +
                  format(" (blocks %.2f-%.2f; %s)", *low, *high, runs.c_str()),
              "ratio <= 1.15", wholeRatio <= 1.15);
    const double cpuRatio = median(panel.cpuMs) / median(floor.cpuMs);
    table.add(format("%s: whole process, CPU time", name),
              sideBySide(median(panel.cpuMs), median(floor.cpuMs), "ms"), "ratio <= 1.15",
              cpuRatio <= 1.15);
    const double peak = median(panel.peakMiB);
    const double peakRatio = peak / median(floor.peakMiB);
    table.add(format("%s: peak RSS", name), sideBySide(peak, median(floor.peakMiB), "MiB"),
              "ratio <= 1.10, panel < 40 MiB", peakRatio <= 1.10 && peak < 40);
}

}  // namespace zoma::bench
