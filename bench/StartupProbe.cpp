// zoma-bench-startup: the program's start-up, stopped at its first painted window.
//
// Builds exactly what zoma-panel's main() builds, in the same order, and prints on standard
// output the monotonic times at which the first paint event reached the window and at which
// the event loop came back from painting it (the picture is complete), then its peak resident
// set in KiB. The benchmark sets these against the moment it spawned this process.
#include <sys/resource.h>

#include <QApplication>
#include <QTimer>
#include <cstdint>
#include <cstdio>

#include "form/Form1.h"
#include "support/MonotonicClock.h"
#include "window/Fonts.h"
#include "window/Form1Window.h"
#include "window/Panel.h"

namespace {

class FirstPaint : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && paintedAt_ == 0) {
            paintedAt_ = zoma::testing::monotonicNs();
            // Runs once the paint pass and the flush that follows it have returned.
            QTimer::singleShot(0, [this] { report(); });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void report() {
        const std::int64_t doneAt = zoma::testing::monotonicNs();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%lld %lld %ld\n", static_cast<long long>(paintedAt_),
                    static_cast<long long>(doneAt), usage.ru_maxrss);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    std::int64_t paintedAt_ = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    zoma::installFontSubstitutes();

    zoma::Panel<> panel;
    FirstPaint firstPaint;
    panel.window.installEventFilter(&firstPaint);
    panel.form.Form_Load();
    panel.window.show();
    const int status = app.exec();
    panel.port.close();
    return status;
}
