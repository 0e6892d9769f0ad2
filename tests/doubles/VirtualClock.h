// A clock that tests move by hand: its timers tick in time order as it advances.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Timer.h"

namespace zoma::testing {

class VirtualClock;

class VirtualTimer : public Timer {
  public:
    explicit VirtualTimer(VirtualClock& clock) : clock_(clock) {}

    void setInterval(int milliseconds) override;
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return enabled_; }

  private:
    friend class VirtualClock;
    void schedule();

    VirtualClock& clock_;
    int interval_ = 0;
    bool enabled_ = false;
    std::int64_t due_ = 0;
    std::uint64_t order_ = 0;
};

class VirtualClock {
  public:
    // Milliseconds since the clock was made.
    std::int64_t now() const { return now_; }
    VirtualTimer& makeTimer();

    // Fires every tick due up to now + milliseconds, in time order (ties in the order the timers
    // were started), with now() at each tick's due time.
    void advance(std::int64_t milliseconds);

  private:
    friend class VirtualTimer;
    std::int64_t now_ = 0;
    std::uint64_t nextOrder_ = 0;
    std::vector<std::unique_ptr<VirtualTimer>> timers_;
};

}  // namespace zoma::testing
