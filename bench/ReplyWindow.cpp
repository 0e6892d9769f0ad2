// When " X X X X" follows an unanswered frame, and when the monitor hold empties the three lines.
#include <QtTest/QTest>
#include <cmath>

#include "Figures.h"
#include "PanelRig.h"
#include "Stats.h"
#include "support/MonotonicClock.h"
#include "vocabulary/Roles.h"

namespace zoma::bench {

using testing::monotonicNs;
using testing::nsToMs;

namespace {
constexpr const char* kNoReplyMark = " X X X X";
}  // namespace

// Times come from the window's caption calls themselves (the form writes captions through
// the window), so their resolution is that of the clock, not of a polling period.
void measureReplyWindow(const BenchConfig& config, ResultTable& table) {
    const char* const figure = "reply window";
    PanelRig rig;
    QWidget* status = rig.button("Command44");  // "STATUS": the query "CR0", never answered here
    if (!rig.ready || status == nullptr) {
        table.failed(figure, "panel did not start on its line");
        return;
    }
    std::int64_t markedAt = 0;
    std::int64_t clearedAt = 0;
    rig.window.onCaption = [&](std::string_view control, const std::string& text) {
        if (control == kRxLine && text == kNoReplyMark && markedAt == 0) markedAt = monotonicNs();
        // The hold empties Label11, Label12 and Label25 in that order: the last one ends it.
        if (control == kStatusLine && text.empty() && clearedAt == 0) clearedAt = monotonicNs();
    };

    const int runs = config.quick ? 4 : 10;
    std::vector<double> marks, clears;
    for (int i = 0; i < runs; ++i) {
        markedAt = clearedAt = 0;
        const std::int64_t sentAt = monotonicNs();
        QTest::mouseClick(status, Qt::LeftButton);
        runEventLoopFor(1100);
        if (markedAt != 0) marks.push_back(nsToMs(markedAt - sentAt));
        if (clearedAt != 0) clears.push_back(nsToMs(clearedAt - sentAt));
    }
    rig.window.onCaption = nullptr;

    if (marks.empty() || clears.empty()) {
        table.failed(figure, "no mark or no clearing seen");
        return;
    }
    const Summary m = summarize(marks);
    const Summary c = summarize(clears);
    table.add("no-reply mark after the frame",
              format("median %.2f ms, max %.2f ms (%zu of %d)", m.median, m.max, m.count, runs),
              "500 +/- 2 ms",
              m.count == static_cast<std::size_t>(runs) && std::abs(m.median - 500) <= 2);
    table.add("monitor lines cleared after the frame",
              format("median %.2f ms, max %.2f ms (%zu of %d)", c.median, c.max, c.count, runs),
              "1000 +/- 2 ms",
              c.count == static_cast<std::size_t>(runs) && std::abs(c.median - 1000) <= 2);
}

}  // namespace zoma::bench
