// A timer of the window: an Interval in milliseconds, an Enabled flag and a tick.
#pragma once

#include <functional>

namespace zoma {

// A timer ticks every Interval while enabled, until a handler disables it.
//
// Enabling a timer that is already running restarts its period: the next tick comes one full
// Interval later. Enabling it from inside its own tick counts from the moment that tick was due,
// so a timer re-enabled by every tick keeps an exact pace without drift. Changing the Interval
// of a running timer also restarts its period with the new Interval.
class Timer {
  public:
    virtual ~Timer() = default;

    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;

    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;

    std::function<void()> onTick;
};

}  // namespace zoma
