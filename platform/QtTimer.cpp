// Runs the timer as a repeating QTimer, so a tick that re-enables it keeps the pace exact.
#include "platform/QtTimer.h"

namespace zoma {

QtTimer::QtTimer(QObject* parent) : QObject(parent) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &QtTimer::tick);
}

void QtTimer::setInterval(int milliseconds) {
    // QTimer restarts an active timer with the new interval.
    timer_.setInterval(milliseconds);
}

void QtTimer::setEnabled(bool enabled) {
    if (!enabled) {
        timer_.stop();
        return;
    }
    // Re-enabled by its own tick: the repeating timer already counts the next period from the
    // moment this tick was due.
    if (inTick_ && timer_.isActive()) return;
    timer_.start();
}

void QtTimer::tick() {
    inTick_ = true;
    if (onTick) onTick();
    inTick_ = false;
}

}  // namespace zoma
