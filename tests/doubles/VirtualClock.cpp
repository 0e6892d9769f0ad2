// Virtual time for the panel's timers.
#include "doubles/VirtualClock.h"

#include <algorithm>

namespace zoma::testing {

VirtualTimer::~VirtualTimer() {
    if (!owned_) return;
    auto& owned = clock_.owned_;
    owned.erase(std::remove(owned.begin(), owned.end(), this), owned.end());
}

void VirtualTimer::schedule() {
    due_ = clock_.now_ + std::max(1, interval_);
    order_ = clock_.nextOrder_++;
}

void VirtualTimer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    if (enabled_) schedule();
}

void VirtualTimer::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (enabled_) schedule();
}

VirtualTimer& VirtualClock::makeTimer() {
    timers_.push_back(std::make_unique<VirtualTimer>(*this));
    return *timers_.back();
}

std::unique_ptr<Timer> VirtualClock::createTimer() {
    auto timer = std::make_unique<VirtualTimer>(*this);
    timer->owned_ = true;
    owned_.push_back(timer.get());
    return timer;
}

void VirtualClock::advance(std::int64_t milliseconds) {
    const std::int64_t end = now_ + milliseconds;
    while (true) {
        VirtualTimer* next = nullptr;
        const auto consider = [&next, end](VirtualTimer* timer) {
            if (!timer->enabled_ || timer->due_ > end) return;
            if (next == nullptr || timer->due_ < next->due_ ||
                (timer->due_ == next->due_ && timer->order_ < next->order_)) {
                next = timer;
            }
        };
        for (auto& timer : timers_) consider(timer.get());
        for (VirtualTimer* timer : owned_) consider(timer);
        if (next == nullptr) break;
        now_ = next->due_;
        // A running timer repeats until a handler disables it.
        next->schedule();
        if (next->onTick) next->onTick();
    }
    now_ = end;
}

}  // namespace zoma::testing
