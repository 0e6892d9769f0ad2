// A window timer on the Qt event loop, precise to well under a millisecond.
#pragma once

#include <QObject>
#include <QTimer>

#include "platform/Timer.h"

class QSocketNotifier;

namespace zoma {

// On Linux the timer is a timerfd on CLOCK_MONOTONIC, armed at absolute due times: QTimer rounds
// its waits to whole milliseconds, which puts every tick of a 5 ms repeat about 1 ms late.
// Elsewhere it is a precise QTimer.
class QtTimer : public QObject, public Timer {
    Q_OBJECT
  public:
    explicit QtTimer(QObject* parent = nullptr);
    ~QtTimer() override;

    void setInterval(int milliseconds) override;
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return enabled_; }

  private:
    // Next tick one interval from now.
    void start();
    // Arms the timerfd for due_.
    void armAtDue();
    void expired();

    int interval_ = 0;
    bool enabled_ = false;
    bool inTick_ = false;
    // Due time of the next tick, in nanoseconds of the monotonic clock.
    qint64 due_ = 0;
    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QTimer fallback_;
};

}  // namespace zoma
