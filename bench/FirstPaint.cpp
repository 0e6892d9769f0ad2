// A paint event seen once, then a zero timer: it fires after the paint pass and its flush.
#include "FirstPaint.h"

#include <sys/resource.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "support/MonotonicClock.h"

namespace zoma::bench {

FirstPaint::FirstPaint(QWidget& window) : QObject(&window) {
    window.installEventFilter(this);
}

bool FirstPaint::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && paintedAt_ == 0) {
        paintedAt_ = testing::monotonicNs();
        QTimer::singleShot(0, this, [this] { report(); });
    }
    return QObject::eventFilter(watched, event);
}

void FirstPaint::report() {
    const std::int64_t doneAt = testing::monotonicNs();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%lld %lld %ld\n", static_cast<long long>(paintedAt_),
                static_cast<long long>(doneAt), usage.ru_maxrss);
    std::fflush(stdout);
    QCoreApplication::exit(0);
}

}  // namespace zoma::bench
