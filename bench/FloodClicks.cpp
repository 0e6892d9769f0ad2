// Clicks on "ON" while the line floods the panel: the frame must still go out within 5 ms.
#include <QMetaObject>
#include <QtTest/QTest>
#include <atomic>
#include <mutex>
#include <thread>

#include "Figures.h"
#include "PanelRig.h"
#include "Stats.h"
#include "support/MonotonicClock.h"

namespace zoma::bench {

using testing::monotonicNs;
using testing::nsToMs;
using testing::PtyPeer;

namespace {

constexpr int kClickPeriodMs = 50;

struct Phase {
    const char* name;
    double rate;
    int fullMs;
    int quickMs;
};

// The clicks are queued to the panel's thread from another thread, so each one waits its turn
// behind the receive events of the flood exactly as an operator's click would.
void measurePhase(PanelRig& rig, QWidget* on, const Phase& phase, bool quick, ResultTable& table) {
    const std::string name = format("click under flood %s", phase.name);
    rig.ptyPeer->setFlood(phase.rate);
    runEventLoopFor(200);
    rig.ptyPeer->takeFrames();
    const std::uint64_t floodedBefore = rig.ptyPeer->floodedBytes();

    std::mutex mutex;
    std::vector<std::int64_t> postedAt;
    std::atomic<bool> stop{false};
    std::thread clicker([&] {
        while (!stop) {
            {
                std::lock_guard<std::mutex> lock(mutex);
                postedAt.push_back(monotonicNs());
            }
            QMetaObject::invokeMethod(
                on, [on] { QTest::mouseClick(on, Qt::LeftButton); }, Qt::QueuedConnection);
            std::this_thread::sleep_for(std::chrono::milliseconds(kClickPeriodMs));
        }
    });
    const int durationMs = quick ? phase.quickMs : phase.fullMs;
    runEventLoopFor(durationMs);
    stop = true;
    clicker.join();
    runEventLoopFor(100);
    const std::uint64_t flooded = rig.ptyPeer->floodedBytes() - floodedBefore;
    rig.ptyPeer->setFlood(0);

    std::vector<double> latencies;
    std::size_t frame = 0;
    const auto frames = rig.ptyPeer->takeFrames();
    for (const PtyPeer::Frame& f : frames) {
        if (f.bytes != "C00\r" || frame >= postedAt.size()) continue;
        latencies.push_back(nsToMs(f.atNs - postedAt[frame++]));
    }
    const std::size_t lost = postedAt.size() - latencies.size();
    const Summary s = summarize(latencies);
    const double rate = static_cast<double>(flooded) / ((durationMs + 100) / 1000.0);
    table.add(name,
              format("median %.3f, p99 %.3f, max %.3f ms (%zu clicks, %zu lost, %.0f B/s in)",
                     s.median, s.p99, s.max, s.count, lost, rate),
              "max < 5 ms", lost == 0 && s.count > 0 && s.max < 5.0);
}

}  // namespace

void measureFloodClicks(const BenchConfig& config, ResultTable& table) {
    PanelRig rig;
    QWidget* on = rig.button("Command17");
    if (!rig.ready || on == nullptr) {
        table.failed("click under flood", "panel did not start on its line");
        return;
    }
    const Phase phases[] = {
        {"1920 B/s", 1920, 10000, 4000},
        {"max", PtyPeer::kFloodMax, 10000, 4000},
    };
    for (const Phase& phase : phases) measurePhase(rig, on, phase, config.quick, table);
}

}  // namespace zoma::bench
