// zoma-gateway in its own process: a PJLink request's round trip beside zoma-ctl's on the same
// simulator, twenty controllers against the rate the line allows, scrapes under that load, the
// panel's 5 ms held button through the raw port while the gateway polls every second, the polls'
// share of the line, and memory over many connections.
#include <QtTest/QTest>
#include <atomic>
#include <mutex>
#include <thread>

#include "Figures.h"
#include "PaceRows.h"
#include "PanelRig.h"
#include "ProcessStats.h"
#include "Stats.h"
#include "support/ChildProcess.h"
#include "support/GatewayProcess.h"
#include "support/LineClient.h"
#include "support/MonotonicClock.h"
#include "support/PtyPeer.h"
#include "support/SimulatorProcess.h"

namespace zoma::bench {

namespace {

using testing::ChildProcess;
using testing::GatewayProcess;
using testing::LineClient;
using testing::monotonicNs;
using testing::nsToMs;
using testing::PjlinkClient;
using testing::PtyPeer;
using testing::SimulatorProcess;
using testing::sleepMs;

// The simulator's reply delay for the round trip and throughput figures: long enough that the
// line, not the machine, sets the pace.
constexpr int kReplyDelayMs = 20;
constexpr int kControllers = 20;
constexpr int kLimitMs = 5000;

std::string summaryText(const Summary& s) {
    return format("median %.2f ms, p99 %.2f ms (%zu)", s.median, s.p99, s.count);
}

// Milliseconds between successive lines of zoma-ctl's output: each line is printed as its
// command's reply arrives, so after the first (which also carries the start) every interval is
// one command's send, reply and print.
std::vector<double> ctlRoundTrips(const BenchConfig& config, const std::string& device, int count) {
    ChildProcess::Launch launch;
    launch.argv = {config.ctlPath, "--port", device};
    for (int i = 0; i <= count; ++i) launch.argv.push_back("status");
    ChildProcess ctl(launch);
    std::vector<double> intervals;
    std::string line;
    std::int64_t previous = 0;
    while (ctl.readLine(line, kLimitMs)) {
        const std::int64_t now = monotonicNs();
        if (line.find("Stand by") == std::string::npos) break;
        if (previous != 0) intervals.push_back(nsToMs(now - previous));
        previous = now;
    }
    ctl.finish(kLimitMs);
    return intervals;
}

std::vector<double> pjlinkRoundTrips(int port, int count) {
    PjlinkClient client(port);
    client.ask("POWR ?");  // the greeting and the connection's first request
    std::vector<double> trips;
    for (int i = 0; i < count; ++i) {
        const std::int64_t sent = monotonicNs();
        if (client.ask("POWR ?") != "%1POWR=0") break;
        trips.push_back(nsToMs(monotonicNs() - sent));
    }
    return trips;
}

void measureRoundTrip(const BenchConfig& config, ResultTable& table) {
    const std::string name =
        format("POWR ? round trip, simulator replying after %d ms", kReplyDelayMs);
    const int count = config.quick ? 50 : 200;
    SimulatorProcess simulator({"--delay", std::to_string(kReplyDelayMs)});
    if (!simulator.ok()) {
        table.failed(name, "the simulator gave no device");
        return;
    }
    // zoma-ctl first: the gateway keeps the line once it has it.
    const Summary ctl = summarize(ctlRoundTrips(config, simulator.device(), count));
    GatewayProcess gateway({"--port", simulator.device(), "--pjlink", "0"});
    const Summary pjlink = summarize(gateway.ok() ? pjlinkRoundTrips(gateway.port("pjlink"), count)
                                                  : std::vector<double>{});
    if (ctl.count < static_cast<std::size_t>(count) ||
        pjlink.count < static_cast<std::size_t>(count)) {
        table.failed(name, format("%zu of %d through zoma-ctl, %zu through the gateway", ctl.count,
                                  count, pjlink.count));
        return;
    }
    table.info("status through zoma-ctl (" + name + ")", summaryText(ctl), "reference");
    table.info("PJLink POWR ? through zoma-gateway", summaryText(pjlink), "against zoma-ctl");
    const double ratio = pjlink.median / ctl.median;
    table.add("gateway / zoma-ctl round trip, one controller",
              format("%.3fx (p99 %.3fx)", ratio, pjlink.p99 / ctl.p99), "<= 1.1x", ratio <= 1.1);
}

struct LoadResult {
    std::atomic<int> answered{0};
    std::atomic<int> failed{0};
    std::mutex scrapesMutex;
    std::vector<double> scrapes;
    int completeScrapes = 0;
};

// One controller asking as fast as it is answered until the deadline.
void askUntil(int port, std::int64_t deadlineNs, LoadResult& result) {
    PjlinkClient client(port);
    while (monotonicNs() < deadlineNs) {
        if (client.ask("POWR ?", kLimitMs) == "%1POWR=0") {
            ++result.answered;
        } else {
            ++result.failed;
            return;
        }
    }
}

// A scrape every 250 ms, as an impatient Prometheus would, timed to the end of the response.
void scrapeUntil(int port, std::int64_t deadlineNs, LoadResult& result) {
    while (monotonicNs() < deadlineNs) {
        const std::int64_t started = monotonicNs();
        LineClient client(port);
        client.send("GET /metrics HTTP/1.1\r\nHost: bench\r\n\r\n");
        const std::string response = client.readUntilClosed(kLimitMs);
        const double took = nsToMs(monotonicNs() - started);
        {
            std::lock_guard<std::mutex> lock(result.scrapesMutex);
            result.scrapes.push_back(took);
            if (response.find("\nzoma_up 1\n") != std::string::npos) ++result.completeScrapes;
        }
        sleepMs(250);
    }
}

void measureControllers(const BenchConfig& config, ResultTable& table) {
    const std::string name = format("%d PJLink controllers at once", kControllers);
    const int seconds = config.quick ? 5 : 15;
    SimulatorProcess simulator({"--delay", std::to_string(kReplyDelayMs)});
    GatewayProcess gateway({"--port", simulator.device(), "--pjlink", "0", "--metrics", "0"},
                           {"pjlink", "metrics"});
    if (!simulator.ok() || !gateway.ok()) {
        table.failed(name, "the simulator or the gateway did not start");
        return;
    }
    // The first poll reads the projector at start; let it finish.
    sleepMs(1000);
    LoadResult result;
    const std::int64_t started = monotonicNs();
    const std::int64_t deadline = started + static_cast<std::int64_t>(seconds) * 1000000000;
    std::vector<std::thread> threads;
    for (int i = 0; i < kControllers; ++i) {
        threads.emplace_back(askUntil, gateway.port("pjlink"), deadline, std::ref(result));
    }
    threads.emplace_back(scrapeUntil, gateway.port("metrics"), deadline, std::ref(result));
    for (std::thread& thread : threads) thread.join();
    const double elapsed = nsToMs(monotonicNs() - started) / 1000.0;

    // On a terminal the bytes take no time, so the line allows one request per reply delay.
    const double lineRate = 1000.0 / kReplyDelayMs;
    const double rate = result.answered / elapsed;
    table.add(format("%s, %d s: requests answered", name.c_str(), seconds),
              format("%.1f/s of %.1f/s the line allows (%.0f %%), %d failed", rate, lineRate,
                     100.0 * rate / lineRate, result.failed.load()),
              ">= 80 %", rate >= 0.8 * lineRate && result.failed == 0);
    const Summary scrapes = summarize(result.scrapes);
    table.add(format("scrape under %d controllers", kControllers),
              summaryText(scrapes) + format(", %d with zoma_up 1", result.completeScrapes),
              "p99 < 50 ms",
              scrapes.count > 0 && scrapes.p99 < 50 &&
                  result.completeScrapes == static_cast<int>(scrapes.count));
}

bool isReadOut(const PtyPeer::Frame& frame) {
    return frame.bytes.rfind("CR", 0) == 0;
}

// The line's time for one poll round: from the first read-out's frame to the last, measured on
// a terminal that answers at once, plus the round's bytes at 19200 baud (ten bits a byte): five
// frames of four and the replies of the five read-outs.
double pollRoundMs(const std::vector<PtyPeer::Frame>& frames) {
    constexpr int kRoundBytes = 5 * 4 + 3 + 2 + 5 + 3 + 18;
    constexpr double kByteMs = 10 * 1000.0 / 19200;
    std::vector<double> spans;
    std::int64_t first = 0;
    std::int64_t last = 0;
    int inRound = 0;
    for (const PtyPeer::Frame& frame : frames) {
        if (!isReadOut(frame)) continue;
        if (inRound > 0 && nsToMs(frame.atNs - last) > 500) {
            if (inRound == 5) spans.push_back(nsToMs(last - first));
            inRound = 0;
        }
        if (inRound == 0) first = frame.atNs;
        last = frame.atNs;
        ++inRound;
    }
    if (inRound == 5) spans.push_back(nsToMs(last - first));
    if (spans.empty()) return -1;
    return summarize(spans).median + kRoundBytes * kByteMs;
}

void measureHeldWhilePolling(const BenchConfig& config, ResultTable& table) {
    const std::string name = "repeat 5 ms through the gateway's raw port, polling every 1 s";
    PtyPeer peer;
    peer.setAnswering(true);
    GatewayProcess gateway({"--port", peer.slavePath(), "--pjlink", "0", "--raw", "0", "--metrics",
                            "0", "--poll", "1"},
                           {"pjlink", "raw", "metrics"});
    if (!peer.ok() || !gateway.ok()) {
        table.failed(name, "the gateway did not start on its line");
        return;
    }
    // A few poll rounds first, for the polls' share of the line.
    sleepMs(config.quick ? 2500 : 4500);
    const double roundMs = pollRoundMs(peer.takeFrames());
    if (roundMs < 0) {
        table.failed("poll round on the line", "no complete round of five read-outs");
    } else {
        const double share = 100.0 * roundMs / 60000.0;
        table.add("polls' share of the line at the default 60 s",
                  format("%.3f %% (%.1f ms a round)", share, roundMs), "< 1 %", share < 1.0);
    }

    PanelRig rig("tcp://127.0.0.1:" + std::to_string(gateway.port("raw")), peer.stamps());
    QWidget* zoom = rig.button("Command48");
    QWidget* up = rig.button("Command5");
    if (!rig.ready || zoom == nullptr || up == nullptr) {
        table.failed(name, "the panel did not start on the raw port");
        return;
    }
    // D.Zoom+ sets the arrow pad's period to 5 ms.
    QTest::mousePress(zoom, Qt::LeftButton);
    QTest::mouseRelease(zoom, Qt::LeftButton);
    runEventLoopFor(100);
    rig.frames().take();

    const std::int64_t pressedAt = monotonicNs();
    QTest::mousePress(up, Qt::LeftButton);
    runEventLoopFor(config.quick ? 2500 : 5000);
    QTest::mouseRelease(up, Qt::LeftButton);
    const std::int64_t releasedAt = monotonicNs();
    runEventLoopFor(20);

    std::vector<std::int64_t> times;
    int pollsDuringHold = 0;
    for (const PtyPeer::Frame& frame : rig.frames().take()) {
        if (frame.atNs < pressedAt) continue;
        if (frame.bytes == "C3C\r") times.push_back(frame.atNs);
        if (isReadOut(frame) && frame.atNs <= releasedAt) ++pollsDuringHold;
    }
    addPaceRows(table, name, times, pressedAt, 5);
    // After the hold the polls take their turn again.
    runEventLoopFor(2500);
    int pollsAfter = 0;
    for (const PtyPeer::Frame& frame : rig.frames().take()) pollsAfter += isReadOut(frame);
    table.add(name + ", polls",
              format("%d during the hold, %d in 2.5 s after", pollsDuringHold, pollsAfter),
              "none during, some after", pollsDuringHold == 0 && pollsAfter > 0);
}

// Connect, greeting, one command, close: as a controller that checks in and leaves.
bool visit(int port) {
    PjlinkClient client(port);
    return client.ask("CLSS ?", kLimitMs) == "%1CLSS=1";
}

void measureConnectionMemory(const BenchConfig& config, ResultTable& table) {
    const int connections = config.quick ? 2000 : 10000;
    const std::string name = format("%d PJLink connections, one after another", connections);
    PtyPeer peer;
    peer.setAnswering(true);
    GatewayProcess gateway({"--port", peer.slavePath(), "--pjlink", "0"});
    if (!peer.ok() || !gateway.ok()) {
        table.failed(name, "the gateway did not start on its line");
        return;
    }
    const int port = gateway.port("pjlink");
    // The first connections size the heap and the log's buffers.
    for (int i = 0; i < 200; ++i) visit(port);
    const auto before = residentKiB(gateway.process().pid());
    const std::int64_t started = monotonicNs();
    int answered = 0;
    for (int i = 0; i < connections; ++i) answered += visit(port);
    const double seconds = nsToMs(monotonicNs() - started) / 1000.0;
    const auto after = residentKiB(gateway.process().pid());
    if (!before || !after) {
        table.failed(name, "the gateway did not keep running");
        return;
    }
    const double growth = static_cast<double>(*after - *before) / 1024.0;
    table.add(name + ": RSS growth",
              format("%+.2f MiB (%.1f -> %.1f), %d answered, %.0f/s", growth,
                     static_cast<double>(*before) / 1024.0, static_cast<double>(*after) / 1024.0,
                     answered, connections / seconds),
              "< 1 MiB", growth < 1.0 && answered == connections);
}

}  // namespace

void measureGateway(const BenchConfig& config, ResultTable& table) {
    measureRoundTrip(config, table);
    measureControllers(config, table);
    measureHeldWhilePolling(config, table);
    measureConnectionMemory(config, table);
}

}  // namespace zoma::bench
