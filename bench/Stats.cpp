// Nearest-rank percentiles.
#include "Stats.h"

#include <algorithm>
#include <cmath>

namespace zoma::bench {

namespace {

double nearestRank(const std::vector<double>& sorted, double fraction) {
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * sorted.size()));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

}  // namespace

Summary summarize(std::vector<double> values) {
    Summary summary;
    summary.count = values.size();
    if (values.empty()) return summary;
    std::sort(values.begin(), values.end());
    summary.median = nearestRank(values, 0.5);
    summary.p99 = nearestRank(values, 0.99);
    summary.max = values.back();
    return summary;
}

}  // namespace zoma::bench
