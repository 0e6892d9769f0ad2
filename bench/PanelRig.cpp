// Start-up of the in-process panel: ZOMA_COM1 names the peer's device before Form_Load opens it.
#include "PanelRig.h"

#include <QEventLoop>
#include <QTimer>
#include <QtTest/QTest>
#include <cstdlib>

namespace zoma::bench {

PanelRig::PanelRig() {
    if (!peer.ok()) return;
    ::setenv("ZOMA_COM1", peer.slavePath().c_str(), 1);
    form.Form_Load();
    window.show();
    // A window that loses activation ends every hold, so holds start only once it is active.
    window.activateWindow();
    ready = port.isOpen() && QTest::qWaitForWindowExposed(&window) &&
            QTest::qWaitForWindowActive(&window);
    runEventLoopFor(50);
    peer.takeFrames();
}

PanelRig::~PanelRig() {
    port.close();
}

void runEventLoopFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace zoma::bench
