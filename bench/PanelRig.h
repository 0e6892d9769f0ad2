// The panel in this process, put together as the program does, on a pseudo-terminal.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/qt/QtSerialPort.h"
#include "platform/qt/QtTimer.h"
#include "support/PtyPeer.h"
#include "window/Form1Window.h"
#include "window/Panel.h"

namespace zoma::bench {

// The real window, told about every caption the form sets, at the moment it sets it.
class ObservedWindow : public Form1Window {
  public:
    void setCaption(std::string_view control, const std::string& text) override {
        Form1Window::setCaption(control, text);
        if (onCaption) onCaption(control, text);
    }

    std::function<void(std::string_view control, const std::string& text)> onCaption;
};

// Members in the order the program builds them; the line is the peer's slave device.
struct PanelRig : Panel<ObservedWindow> {
    PanelRig();
    ~PanelRig();

    // The command button of that name, e.g. "Command17".
    QWidget* button(std::string_view name) const { return window.control(name); }

    testing::PtyPeer peer;
    bool ready = false;
};

// Runs the event loop for that long, on a precise timer: QTest::qWait sleeps between its
// rounds of event processing, which would delay the panel's own timers.
void runEventLoopFor(int milliseconds);

}  // namespace zoma::bench
