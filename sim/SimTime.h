// Time as the simulator sees it: milliseconds on a monotonic clock that the caller supplies.
#pragma once

#include <cstdint>

namespace zoma::sim {

// Milliseconds since some fixed start. The model never reads a clock itself, so tests can walk
// it through phases without sleeping.
using Millis = std::int64_t;

}  // namespace zoma::sim
