// A window timer on QTimer, precise so that short repeat periods keep their pace.
#pragma once

#include <QObject>
#include <QTimer>

#include "platform/Timer.h"

namespace zoma {

class QtTimer : public QObject, public Timer {
    Q_OBJECT
  public:
    explicit QtTimer(QObject* parent = nullptr);

    void setInterval(int milliseconds) override;
    int interval() const override { return timer_.interval(); }
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return timer_.isActive(); }

  private:
    void tick();

    QTimer timer_;
    bool inTick_ = false;
};

}  // namespace zoma
