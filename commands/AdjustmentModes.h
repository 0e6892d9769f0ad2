// Mode buttons: each sends its code and sets the repeat period and the arrow pad's pace.
#pragma once

#include "commands/CommandTables.h"
#include "link/CommandLink.h"

namespace zoma {

class AdjustmentModes {
  public:
    AdjustmentModes(Form1Variables& vars, CommandLink& link, Timer& repeatTimer);

    // The click of a mode button.
    void click(const ModeButton& button);
    // Reply window and monitor hold for the current PadMode; run first by an arrow-pad press.
    void applyPadPace();

  private:
    Form1Variables& vars_;
    CommandLink& link_;
    Timer& repeatTimer_;
};

}  // namespace zoma
