// The port panel and the lower area, brought into view on demand.
#pragma once

#include "platform/Timer.h"
#include "platform/WindowServices.h"

namespace zoma {

class Panels {
  public:
    static constexpr int kNormalHeight = 5200;
    static constexpr int kDataHeight = 6645;
    static constexpr int kFullHeight = 7000;
    static constexpr int kEnlargedThreshold = 6000;
    static constexpr int kHidePanelInterval = 5000;
    // Modifier bits of a key-down event.
    static constexpr int kShift = 1;
    static constexpr int kCtrl = 2;
    static constexpr int kAlt = 4;
    static constexpr int kKeyJ = 'J';

    Panels(Timer& panelHideTimer, WindowServices& window);

    // "COM": shows the port panel for five seconds.
    void Command33_Click();
    void Timer3_Timer();
    // Data-toggle button: switches between the normal height and the data height.
    void Command34_Click();
    // Sees every key before the focused control and never consumes it.
    void Form_KeyDown(int keyCode, int shift);

  private:
    Timer& panelHideTimer_;
    WindowServices& window_;
};

}  // namespace zoma
