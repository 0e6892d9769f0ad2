// Held buttons: the press sends at once, Timer1 repeats until the release.
#pragma once

#include "commands/AdjustmentModes.h"
#include "commands/CommandTables.h"
#include "link/CommandLink.h"

namespace zoma {

class HoldRepeat {
  public:
    HoldRepeat(Form1Variables& vars, CommandLink& link, AdjustmentModes& modes, Timer& repeatTimer);

    // MouseDown of a held button, whatever the mouse button, modifiers or position.
    void press(const HeldButton& button);
    // MouseUp of a held button.
    void release(const HeldButton& button);
    // Tick of the repeat timer.
    void Timer1_Timer();

  private:
    Form1Variables& vars_;
    CommandLink& link_;
    AdjustmentModes& modes_;
    Timer& repeatTimer_;
};

}  // namespace zoma
