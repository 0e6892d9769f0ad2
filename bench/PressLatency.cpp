// From a click on "ON" reaching the window to its frame readable on the line, terminal or TCP.
#include <QtTest/QTest>

#include "Figures.h"
#include "PanelRig.h"
#include "Stats.h"
#include "support/MonotonicClock.h"

namespace zoma::bench {

using testing::monotonicNs;
using testing::nsToMs;

namespace {

void measurePresses(RigLine line, const char* over, bool quick, ResultTable& table) {
    const std::string figure = format("press-to-line latency%s", over);
    PanelRig rig(line);
    QWidget* on = rig.button("Command17");
    if (!rig.ready || on == nullptr) {
        table.failed(figure, "panel did not start on its line");
        return;
    }
    const int presses = quick ? 1000 : 2000;
    std::vector<double> latencies;
    int lost = 0;
    for (int i = 0; i < presses; ++i) {
        rig.frames().take();
        const std::int64_t before = monotonicNs();
        QTest::mouseClick(on, Qt::LeftButton);
        if (!rig.frames().waitFor(1, 100)) {
            ++lost;
            continue;
        }
        const auto frames = rig.frames().take();
        if (frames.front().bytes != "C00\r") {
            ++lost;
            continue;
        }
        latencies.push_back(nsToMs(frames.front().atNs - before));
        // Between clicks the window repaints and the timers run, as between an operator's.
        runEventLoopFor(1);
    }
    const Summary s = summarize(latencies);
    const std::string count =
        format(" (%zu presses%s)", s.count, lost > 0 ? format(", %d lost", lost).c_str() : "");
    table.add(figure + ", median", format("%.3f ms", s.median) + count, "< 0.2 ms",
              lost == 0 && s.median < 0.2);
    table.add(figure + ", p99", format("%.3f ms (max %.3f)", s.p99, s.max), "< 1 ms",
              lost == 0 && s.p99 < 1.0);
}

}  // namespace

void measurePressLatency(const BenchConfig& config, ResultTable& table) {
    measurePresses(RigLine::Terminal, "", config.quick, table);
    // A serial device server's line: the frame crosses the loopback network stack instead.
    measurePresses(RigLine::Tcp, " over TCP", config.quick, table);
}

}  // namespace zoma::bench
