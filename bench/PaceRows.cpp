// Rate over the whole hold, deviation per frame by nearest-rank percentiles.
#include "PaceRows.h"

#include <cmath>

#include "Stats.h"

namespace zoma::bench {

void addPaceRows(ResultTable& table, const std::string& name,
                 const std::vector<std::int64_t>& times, std::int64_t pressedAtNs, int periodMs) {
    if (times.size() < 3) {
        table.failed(name, format("only %zu frames", times.size()));
        return;
    }
    const double periodNs = periodMs * 1e6;
    std::vector<double> deviations;
    for (std::size_t k = 0; k < times.size(); ++k) {
        const double nominal = static_cast<double>(pressedAtNs) + static_cast<double>(k) * periodNs;
        deviations.push_back(std::fabs(static_cast<double>(times[k]) - nominal) / 1e6);
    }
    const double span = static_cast<double>(times.back() - times.front()) / 1e9;
    const double rate = static_cast<double>(times.size() - 1) / span;
    const double nominalRate = 1000.0 / periodMs;
    const double off = (rate / nominalRate - 1.0) * 100.0;
    const Summary s = summarize(deviations);
    table.add(
        name + ", rate",
        format("%.2f/s of %.2f/s (%+.2f %%, %zu frames)", rate, nominalRate, off, times.size()),
        "within 1 %", std::fabs(off) <= 1.0);
    table.add(name + ", |frame - nominal|", format("median %.3f ms, p99 %.3f ms", s.median, s.p99),
              "p99 < 1.5 ms", s.p99 < 1.5);
}

}  // namespace zoma::bench
