// Ticks at exact due times, each period counted from the moment the previous tick was due.
#include "platform/qt/QtTimer.h"

#include <QSocketNotifier>
#include <algorithm>
#include <ctime>

#ifdef __linux__
#include <sys/timerfd.h>
#include <unistd.h>
#endif

namespace zoma {

namespace {

constexpr qint64 kNanosecondsPerMillisecond = 1000000;

qint64 monotonicNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace

QtTimer::QtTimer(QObject* parent) : QObject(parent) {
#ifdef __linux__
    fd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd_ >= 0) {
        notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &QtTimer::expired);
        return;
    }
#endif
    fallback_.setTimerType(Qt::PreciseTimer);
    connect(&fallback_, &QTimer::timeout, this, &QtTimer::expired);
}

QtTimer::~QtTimer() {
#ifdef __linux__
    if (fd_ >= 0) ::close(fd_);
#endif
}

void QtTimer::armAtDue() {
#ifdef __linux__
    itimerspec deadline{};
    deadline.it_value.tv_sec = due_ / 1000000000;
    deadline.it_value.tv_nsec = due_ % 1000000000;
    timerfd_settime(fd_, TFD_TIMER_ABSTIME, &deadline, nullptr);
#endif
}

void QtTimer::start() {
    due_ = monotonicNow() + std::max(1, interval_) * kNanosecondsPerMillisecond;
    if (fd_ >= 0) {
        armAtDue();
    } else {
        fallback_.start(std::max(1, interval_));
    }
}

void QtTimer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    if (enabled_) start();
}

void QtTimer::setEnabled(bool enabled) {
    if (!enabled) {
        enabled_ = false;
#ifdef __linux__
        if (fd_ >= 0) {
            const itimerspec disarmed{};
            timerfd_settime(fd_, 0, &disarmed, nullptr);
        }
#endif
        fallback_.stop();
        return;
    }
    // Re-enabled by its own tick: the next period already counts from when this tick was due.
    if (inTick_ && enabled_) return;
    enabled_ = true;
    start();
}

void QtTimer::expired() {
#ifdef __linux__
    if (fd_ >= 0) {
        quint64 expirations = 0;
        if (::read(fd_, &expirations, sizeof expirations) != sizeof expirations) return;
    }
#endif
    if (!enabled_) return;
    // A repeating timer: the next tick is one interval after this one was due, or one interval
    // from now if the loop fell a whole period behind.
    const qint64 now = monotonicNow();
    const qint64 period = std::max(1, interval_) * kNanosecondsPerMillisecond;
    const qint64 wasDue = due_;
    due_ = wasDue + period > now ? wasDue + period : now + period;
    // The fallback QTimer repeats by itself.
    if (fd_ >= 0) armAtDue();
    inTick_ = true;
    if (onTick) onTick();
    inTick_ = false;
}

}  // namespace zoma
