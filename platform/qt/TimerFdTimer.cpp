// Ticks at exact due times, each period counted from the moment the previous tick was due.
#include "platform/qt/TimerFdTimer.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <algorithm>
#include <chrono>

namespace zoma {

namespace {

constexpr std::int64_t kNanosecondsPerMillisecond = 1000000;
constexpr std::int64_t kNanosecondsPerSecond = 1000000000;

// The steady clock is CLOCK_MONOTONIC on Linux, the clock the timerfd counts on.
std::int64_t monotonicNow() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

TimerFdTimer::TimerFdTimer(QObject* parent) : QObject(parent) {
    fd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd_ < 0) {
        // Out of descriptors: a less precise timer is better than none.
        fallback_ = std::make_unique<PortableTimer>();
        fallback_->onTick = [this] {
            if (onTick) onTick();
        };
        return;
    }
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TimerFdTimer::expired);
}

TimerFdTimer::~TimerFdTimer() {
    if (fd_ >= 0) ::close(fd_);
}

void TimerFdTimer::arm() {
    itimerspec deadline{};
    deadline.it_value.tv_sec = due_ / kNanosecondsPerSecond;
    deadline.it_value.tv_nsec = due_ % kNanosecondsPerSecond;
    timerfd_settime(fd_, TFD_TIMER_ABSTIME, &deadline, nullptr);
}

void TimerFdTimer::disarm() {
    const itimerspec disarmed{};
    timerfd_settime(fd_, 0, &disarmed, nullptr);
}

void TimerFdTimer::start() {
    due_ = monotonicNow() + std::max(1, interval_) * kNanosecondsPerMillisecond;
    arm();
}

void TimerFdTimer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    if (fallback_) {
        fallback_->setInterval(milliseconds);
        return;
    }
    if (enabled_) start();
}

void TimerFdTimer::setEnabled(bool enabled) {
    if (fallback_) {
        enabled_ = enabled;
        fallback_->setEnabled(enabled);
        return;
    }
    if (!enabled) {
        enabled_ = false;
        disarm();
        return;
    }
    // Re-enabled by its own tick: the next period already counts from when this tick was due.
    if (inTick_ && enabled_) return;
    enabled_ = true;
    start();
}

void TimerFdTimer::expired() {
    std::uint64_t expirations = 0;
    if (::read(fd_, &expirations, sizeof expirations) != sizeof expirations) return;
    if (!enabled_) return;
    // A repeating timer: the next tick is one interval after this one was due, or one interval
    // from now if the loop fell a whole period behind.
    const std::int64_t now = monotonicNow();
    const std::int64_t period = std::max(1, interval_) * kNanosecondsPerMillisecond;
    due_ = due_ + period > now ? due_ + period : now + period;
    arm();
    inTick_ = true;
    if (onTick) onTick();
    inTick_ = false;
}

}  // namespace zoma
