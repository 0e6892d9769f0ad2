// Timers on the program's event loop, made on demand for logic that needs them per connection.
#pragma once

#include <memory>

#include "platform/TimerFactory.h"
#include "platform/qt/QtTimer.h"

namespace zoma {

class QtTimerFactory : public TimerFactory {
  public:
    std::unique_ptr<Timer> createTimer() override { return std::make_unique<QtTimer>(); }
};

}  // namespace zoma
