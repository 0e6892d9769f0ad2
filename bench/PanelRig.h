// The panel in this process, put together as the program does, on a terminal or on loopback TCP.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/qt/QtLinePort.h"
#include "platform/qt/QtTimer.h"
#include "support/FrameStamps.h"
#include "support/PtyPeer.h"
#include "support/TcpPeer.h"
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

// The line the rig's panel runs on.
enum class RigLine { Terminal, Tcp };

// Members in the order the program builds them; the line is the peer's, named by ZOMA_COM1.
struct PanelRig : Panel<ObservedWindow> {
    explicit PanelRig(RigLine line = RigLine::Terminal);
    // On a line that runs elsewhere, such as the gateway's raw port, with the frames stamped at
    // its far end by `stamps`.
    PanelRig(const std::string& device, testing::FrameStamps& stamps);
    ~PanelRig();

    // The command button of that name, e.g. "Command17".
    QWidget* button(std::string_view name) const { return window.control(name); }

    // The frames the panel has written, stamped by the peer of whichever line it runs on.
    testing::FrameStamps& frames() { return *stamps_; }

    // The far end of the line when the rig made it; only the one the rig runs on exists. The
    // terminal's can also flood the panel.
    std::unique_ptr<testing::PtyPeer> ptyPeer;
    std::unique_ptr<testing::TcpPeer> tcpPeer;
    bool ready = false;

  private:
    void start(const std::string& device);

    testing::FrameStamps* stamps_ = nullptr;
};

// Runs the event loop for that long, on a precise timer: QTest::qWait sleeps between its
// rounds of event processing, which would delay the panel's own timers.
void runEventLoopFor(int milliseconds);

}  // namespace zoma::bench
