// A clock that tests move by hand: its timers tick in time order as it advances.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Timer.h"
#include "platform/TimerFactory.h"

namespace zoma::testing {

class VirtualClock;

class VirtualTimer : public Timer {
  public:
    explicit VirtualTimer(VirtualClock& clock) : clock_(clock) {}
    // A timer made by createTimer() leaves the clock as it is destroyed.
    ~VirtualTimer() override;

    void setInterval(int milliseconds) override;
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return enabled_; }

  private:
    friend class VirtualClock;
    void schedule();

    VirtualClock& clock_;
    bool owned_ = false;
    int interval_ = 0;
    bool enabled_ = false;
    std::int64_t due_ = 0;
    std::uint64_t order_ = 0;
};

class VirtualClock : public TimerFactory {
  public:
    VirtualClock() = default;
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;
    // Timers made by createTimer() must be destroyed before the clock.
    ~VirtualClock() override = default;

    // Milliseconds since the clock was made.
    std::int64_t now() const { return now_; }
    // A timer the clock keeps for its whole life.
    VirtualTimer& makeTimer();
    // A timer its caller owns, as a connection owns its timers: it may be destroyed at any time,
    // also from a tick of another timer.
    std::unique_ptr<Timer> createTimer() override;
    // Timers alive, kept and owned: a test can see that a closed connection let its timers go.
    std::size_t timerCount() const { return timers_.size() + owned_.size(); }

    // Fires every tick due up to now + milliseconds, in time order (ties in the order the timers
    // were started), with now() at each tick's due time.
    void advance(std::int64_t milliseconds);

  private:
    friend class VirtualTimer;
    std::int64_t now_ = 0;
    std::uint64_t nextOrder_ = 0;
    std::vector<std::unique_ptr<VirtualTimer>> timers_;
    std::vector<VirtualTimer*> owned_;
};

}  // namespace zoma::testing
