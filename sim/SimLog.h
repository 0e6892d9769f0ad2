// The simulator's log: one line per event, stamped with milliseconds since start.
#pragma once

#include <cstdio>
#include <string>

#include "sim/SimTime.h"

namespace zoma::sim {

class SimLog {
  public:
    // Does not take ownership of `out`.
    explicit SimLog(std::FILE* out) : out_(out) {}

    // Written and flushed at once, so a log read while the simulator runs is complete.
    void line(Millis now, const std::string& text);

  private:
    std::FILE* out_;
};

}  // namespace zoma::sim
