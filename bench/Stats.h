// Median, 99th percentile and maximum of a set of measurements.
#pragma once

#include <cstddef>
#include <vector>

namespace zoma::bench {

struct Summary {
    std::size_t count = 0;
    double median = 0;
    double p99 = 0;
    double max = 0;
};

// Percentiles by nearest rank, so p99 of a small sample is one of its measured values (the
// largest when there are fewer than 100) rather than an interpolation.
Summary summarize(std::vector<double> values);

}  // namespace zoma::bench
