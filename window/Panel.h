// The panel as the program assembles it: window, serial port, four timers and the form, bound.
#pragma once

#include "form/Form1.h"
#include "platform/qt/QtLinePort.h"
#include "platform/qt/QtTimer.h"
#include "window/EventBinding.h"
#include "window/Form1Window.h"

namespace zoma {

// Members are destroyed in reverse: the form before the services it uses, the window last.
template <typename Window = Form1Window>
struct Panel {
    Panel()
        : form({port, {repeatTimer, replyWindowTimer, panelHideTimer, monitorHoldTimer}, window}) {
        bindControls(window, form);
        // While a device server is being connected to, the window holds the user's input.
        port.setOpenWait(
            [this](bool waiting) { waiting ? window.lineWaitStarted() : window.lineWaitEnded(); });
    }
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    Window window;
    QtLinePort port;
    QtTimer repeatTimer, replyWindowTimer, panelHideTimer, monitorHoldTimer;
    Form1 form;
};

}  // namespace zoma
