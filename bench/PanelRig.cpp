// Start-up of the in-process panel: ZOMA_COM1 names the peer's device before Form_Load opens it.
#include "PanelRig.h"

#include <QEventLoop>
#include <QTimer>
#include <QtTest/QTest>
#include <cstdlib>

namespace zoma::bench {

PanelRig::PanelRig(RigLine line) {
    std::string device;
    if (line == RigLine::Terminal) {
        ptyPeer = std::make_unique<testing::PtyPeer>();
        stamps_ = &ptyPeer->stamps();
        if (ptyPeer->ok()) device = ptyPeer->slavePath();
    } else {
        tcpPeer = std::make_unique<testing::TcpPeer>();
        stamps_ = &tcpPeer->stamps();
        if (tcpPeer->ok()) device = tcpPeer->device();
    }
    start(device);
}

PanelRig::PanelRig(const std::string& device, testing::FrameStamps& stamps) : stamps_(&stamps) {
    start(device);
}

void PanelRig::start(const std::string& device) {
    if (device.empty()) return;
    ::setenv("ZOMA_COM1", device.c_str(), 1);
    form.Form_Load();
    window.show();
    // A window that loses activation ends every hold, so holds start only once it is active.
    window.activateWindow();
    ready = port.isOpen() && QTest::qWaitForWindowExposed(&window) &&
            QTest::qWaitForWindowActive(&window);
    runEventLoopFor(50);
    frames().take();
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
