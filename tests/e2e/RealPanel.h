// The panel exactly as the program wires it: real window, QSerialPort, QTimer.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <functional>
#include <string>

#include "platform/QtSerialPort.h"
#include "platform/QtTimer.h"
#include "window/EventBinding.h"
#include "window/Form1.h"
#include "window/Form1Window.h"

namespace zoma::testing {

struct RealPanel {
    RealPanel() : form({port, timer1, timer2, timer3, timer4, window}) {
        bindControls(window, form);
        window.presentWarning = [this](const QString& text) { warnings << text; };
        window.endApplication = [this] { ended = true; };
    }

    std::string label(const char* name) const { return window.caption(name); }

    Form1Window window;
    QtSerialPort port;
    QtTimer timer1, timer2, timer3, timer4;
    Form1 form;
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
