// Frames per second of a held button at each repeat period, and how far each frame strays from
// press time + k * period; the shortest period also over loopback TCP.
#include <QtTest/QTest>

#include "Figures.h"
#include "PaceRows.h"
#include "PanelRig.h"
#include "support/MonotonicClock.h"

namespace zoma::bench {

using testing::FrameStamps;
using testing::monotonicNs;
using testing::nsToMs;

namespace {

struct PaceCase {
    int periodMs;
    const char* held;   // the button held down
    const char* frame;  // what every press and tick sends
    const char* setUp;  // clicked first to set the period, or nullptr
    bool setUpIsHeld;   // the set-up button is pressed and released rather than clicked
    const char* how;    // for the table
    int holdMs;         // full run
    int quickHoldMs;
};

// Each case runs on a fresh panel, so the arrow pad starts from the design period of 200 ms.
constexpr PaceCase kCases[] = {
    {5, "Command5", "C3C\r", "Command48", true, "D.Zoom+ then arrow", 3000, 1500},
    {50, "Command15", "C47\r", nullptr, false, "Zoom+", 4000, 2000},
    {100, "Command5", "C3C\r", "Command11", false, "FOCUS then arrow", 4000, 2000},
    {200, "Command5", "C3C\r", nullptr, false, "arrow after start-up", 5000, 2400},
    {250, "Command1", "C09\r", nullptr, false, "VOL+", 5000, 2500},
    {500, "Command6", "C3F\r", nullptr, false, "SELECT", 6000, 3000},
};

void measureCase(const PaceCase& c, RigLine line, bool quick, ResultTable& table) {
    const std::string name =
        format("repeat %d ms%s (%s)", c.periodMs, line == RigLine::Tcp ? " over TCP" : "", c.how);
    PanelRig rig(line);
    QWidget* held = rig.button(c.held);
    QWidget* setUp = c.setUp != nullptr ? rig.button(c.setUp) : nullptr;
    if (!rig.ready || held == nullptr || (c.setUp != nullptr && setUp == nullptr)) {
        table.failed(name, "panel did not start on its line");
        return;
    }
    if (setUp != nullptr) {
        if (c.setUpIsHeld) {
            QTest::mousePress(setUp, Qt::LeftButton);
            QTest::mouseRelease(setUp, Qt::LeftButton);
        } else {
            QTest::mouseClick(setUp, Qt::LeftButton);
        }
        runEventLoopFor(100);
        rig.frames().take();
    }

    const std::int64_t pressedAt = monotonicNs();
    QTest::mousePress(held, Qt::LeftButton);
    runEventLoopFor(quick ? c.quickHoldMs : c.holdMs);
    QTest::mouseRelease(held, Qt::LeftButton);
    runEventLoopFor(20);

    std::vector<std::int64_t> times;
    for (const FrameStamps::Frame& frame : rig.frames().take()) {
        if (frame.bytes == c.frame && frame.atNs >= pressedAt) times.push_back(frame.atNs);
    }
    addPaceRows(table, name, times, pressedAt, c.periodMs);
}

}  // namespace

void measureRepeatPace(const BenchConfig& config, ResultTable& table) {
    for (const PaceCase& c : kCases) measureCase(c, RigLine::Terminal, config.quick, table);
    // The shortest period is the one a network hop could upset.
    measureCase(kCases[0], RigLine::Tcp, config.quick, table);
}

}  // namespace zoma::bench
