// Idle load and flood load of separate processes: the panel and the simulator.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Figures.h"
#include "ProcessStats.h"
#include "Stats.h"
#include "support/ChildProcess.h"
#include "support/MonotonicClock.h"
#include "support/PtyPeer.h"

namespace zoma::bench {

namespace {

using testing::ChildProcess;
using testing::monotonicNs;
using testing::nsToMs;
using testing::PtyPeer;
using testing::sleepMs;

constexpr double kMiB = 1024.0;

// The panel on the given device, drawing offscreen.
ChildProcess::Launch panelLaunch(const std::string& program, const std::string& device) {
    ChildProcess::Launch launch;
    launch.argv = {program};
    launch.environment = {{"ZOMA_COM1", device}, {"QT_QPA_PLATFORM", "offscreen"}};
    launch.captureOutput = false;
    return launch;
}

// CPU use of a process over a period, in percent of one core.
std::optional<double> cpuPercentOver(pid_t pid, int milliseconds) {
    const auto before = cpuTimeNs(pid);
    const std::int64_t start = monotonicNs();
    sleepMs(milliseconds);
    const auto after = cpuTimeNs(pid);
    const std::int64_t elapsed = monotonicNs() - start;
    if (!before || !after) return std::nullopt;
    return 100.0 * static_cast<double>(*after - *before) / static_cast<double>(elapsed);
}

// Ends the panel as an operator's Ctrl+C would and returns its peak resident set in KiB. The
// panel puts its line back and then ends by that same signal, as a shell expects.
std::optional<long> stopAndReap(ChildProcess& child) {
    child.signal(SIGINT);
    child.finish(5000);
    const int status = child.waitStatus();
    const bool stopped = (WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) ||
                         (WIFEXITED(status) && WEXITSTATUS(status) == 0);
    if (!child.exited() || !stopped) return std::nullopt;
    return child.maxRssKiB();
}

}  // namespace

void measureIdle(const BenchConfig& config, ResultTable& table) {
    const int seconds = config.quick ? 5 : 10;
    PtyPeer peer;
    ChildProcess panel(panelLaunch(config.panelPath, peer.slavePath()));
    if (!panel.started()) {
        table.failed("idle CPU", "could not start " + config.panelPath);
        return;
    }
    // Start-up done and the window shown, nothing held: from here on the panel only waits.
    sleepMs(1000);
    const double cpu = cpuPercentOver(panel.pid(), seconds * 1000).value_or(-1);
    const double peakMiB = static_cast<double>(stopAndReap(panel).value_or(0)) / kMiB;
    if (cpu < 0 || peakMiB <= 0) {
        table.failed("idle CPU", "the panel " + config.panelPath + " did not keep running");
        return;
    }
    table.add(format("idle CPU of zoma-panel over %d s", seconds), format("%.4f %%", cpu),
              "< 0.1 %", cpu < 0.1);
    table.add("peak RSS of zoma-panel (idle run)", format("%.1f MiB", peakMiB), "< 40 MiB",
              peakMiB < 40);
}

namespace {

struct StreamRun {
    const char* rate;  // the simulator's --stream value
    int fullSeconds;
    int quickSeconds;
    double cpuTarget;  // percent; 0 means reported only
};

void measureStream(const BenchConfig& config, const StreamRun& run, ResultTable& table) {
    const std::string name = format("flood %s B/s from the simulator", run.rate);
    ChildProcess::Launch simulatorLaunch;
    simulatorLaunch.argv = {config.simulatorPath, "--stream", run.rate, "--log", "/dev/null"};
    ChildProcess simulator(simulatorLaunch);
    std::string device;
    if (!simulator.readLine(device, 5000) || device.empty()) {
        table.failed(name, "the simulator " + config.simulatorPath + " gave no device");
        return;
    }
    ChildProcess panel(panelLaunch(config.panelPath, device));
    sleepMs(1000);
    const int seconds = config.quick ? run.quickSeconds : run.fullSeconds;
    const auto rssBefore = residentKiB(panel.pid());
    const auto cpu = cpuPercentOver(panel.pid(), seconds * 1000);
    const auto rssAfter = residentKiB(panel.pid());
    stopAndReap(panel);
    simulator.signal(SIGINT);
    simulator.finish(5000);
    if (!cpu || !rssBefore || !rssAfter) {
        table.failed(name, "the panel " + config.panelPath + " did not keep running");
        return;
    }
    const std::string figure = format("%s, %d s: panel CPU", name.c_str(), seconds);
    if (run.cpuTarget > 0) {
        table.add(figure, format("%.2f %%", *cpu), format("< %.0f %%", run.cpuTarget),
                  *cpu < run.cpuTarget);
    } else {
        table.info(figure, format("%.1f %%", *cpu), "reported");
    }
    const double growth = static_cast<double>(*rssAfter - *rssBefore) / kMiB;
    table.add(format("%s, %d s: RSS growth", name.c_str(), seconds),
              format("%+.2f MiB (%.1f -> %.1f)", growth, static_cast<double>(*rssBefore) / kMiB,
                     static_cast<double>(*rssAfter) / kMiB),
              "< 2 MiB", growth < 2.0);
}

}  // namespace

void measureFloodLoad(const BenchConfig& config, ResultTable& table) {
    const StreamRun runs[] = {{"1920", 60, 15, 5.0}, {"max", 10, 5, 0}};
    for (const StreamRun& run : runs) measureStream(config, run, table);
}

}  // namespace zoma::bench
