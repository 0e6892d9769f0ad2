// A window timer on a Linux timerfd, armed at absolute due times on the monotonic clock.
#pragma once

#include <QObject>
#include <cstdint>
#include <memory>

#include "platform/Timer.h"
#include "platform/qt/PortableTimer.h"

class QSocketNotifier;

namespace zoma {

// QTimer rounds its waits to whole milliseconds, which puts every tick of a 5 ms repeat about
// 1 ms late; a timerfd armed at the exact due time does not. Each period counts from the moment
// the previous tick was due, so a repeating timer keeps its pace without drift.
class TimerFdTimer : public QObject, public Timer {
    Q_OBJECT
  public:
    explicit TimerFdTimer(QObject* parent = nullptr);
    ~TimerFdTimer() override;

    void setInterval(int milliseconds) override;
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return enabled_; }

  private:
    // Next tick one interval from now.
    void start();
    void arm();
    void disarm();
    void expired();

    int interval_ = 0;
    bool enabled_ = false;
    bool inTick_ = false;
    // Due time of the next tick, in nanoseconds of the steady clock (CLOCK_MONOTONIC).
    std::int64_t due_ = 0;
    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    // Only when no timerfd could be had.
    std::unique_ptr<PortableTimer> fallback_;
};

}  // namespace zoma
