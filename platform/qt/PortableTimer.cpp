// Enabling restarts the period, except from the timer's own tick, which keeps the pace.
#include "platform/qt/PortableTimer.h"

#include <algorithm>

namespace zoma {

PortableTimer::PortableTimer(QObject* parent) : QObject(parent) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &PortableTimer::expired);
}

void PortableTimer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    if (enabled_) timer_.start(std::max(1, interval_));
}

void PortableTimer::setEnabled(bool enabled) {
    if (!enabled) {
        enabled_ = false;
        timer_.stop();
        return;
    }
    // Re-enabled by its own tick: the repeating QTimer already counts the next period.
    if (inTick_ && enabled_) return;
    enabled_ = true;
    timer_.start(std::max(1, interval_));
}

void PortableTimer::expired() {
    if (!enabled_) return;
    inTick_ = true;
    if (onTick) onTick();
    inTick_ = false;
}

}  // namespace zoma
