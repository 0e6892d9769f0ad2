// Makes timers on demand, for logic that needs its own timers per connection.
#pragma once

#include <memory>

#include "platform/Timer.h"

namespace zoma {

// The program passes one on its event loop, the tests the virtual clock. A timer made here
// belongs to its caller, and stops ticking when destroyed.
class TimerFactory {
  public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<Timer> createTimer() = 0;
};

}  // namespace zoma
