// The panel exactly as the program wires it: real window, QSerialPort, QTimer.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <functional>
#include <string>

#include "window/Panel.h"

namespace zoma::testing {

struct RealPanel : Panel<> {
    RealPanel() {
        window.presentWarning = [this](const QString& text) { warnings << text; };
        window.endApplication = [this] { ended = true; };
    }

    std::string label(std::string_view name) const { return window.caption(name); }

    QStringList warnings;
    bool ended = false;
};

// Runs the event loop until the condition holds; the limit only guards against a hang.
inline bool waitUntil(const std::function<bool()>& condition, int limitMs = 5000) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition()) {
        if (elapsed.elapsed() > limitMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// Runs the event loop for a while, for things that must not happen.
inline void runFor(int milliseconds) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

}  // namespace zoma::testing
