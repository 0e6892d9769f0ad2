// A window timer on a precise QTimer: the one every platform Qt runs on can use.
#pragma once

#include <QObject>
#include <QTimer>

#include "platform/Timer.h"

namespace zoma {

// Qt's precise timers wait whole milliseconds, so a short period's ticks come up to about a
// millisecond late; the repeating QTimer keeps its pace by itself.
class PortableTimer : public QObject, public Timer {
    Q_OBJECT
  public:
    explicit PortableTimer(QObject* parent = nullptr);

    void setInterval(int milliseconds) override;
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return enabled_; }

  private:
    void expired();

    int interval_ = 0;
    bool enabled_ = false;
    bool inTick_ = false;
    QTimer timer_;
};

}  // namespace zoma
