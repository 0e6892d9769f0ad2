// Mode clicks and the pad pace step.
#include "commands/AdjustmentModes.h"

#include <string>

namespace zoma {

AdjustmentModes::AdjustmentModes(Form1Variables& vars, CommandLink& link, Timer& repeatTimer,
                                 Timer& replyWindowTimer, Timer& monitorHoldTimer)
    : vars_(vars),
      link_(link),
      repeatTimer_(repeatTimer),
      replyWindowTimer_(replyWindowTimer),
      monitorHoldTimer_(monitorHoldTimer) {}

void AdjustmentModes::click(const ModeButton& button) {
    vars_.LastCommand = std::string(button.code) + '\r';
    link_.Hyouji(vars_.LastCommand, CommandLink::kTransmit);
    repeatTimer_.setInterval(button.repeatInterval);
    vars_.PadMode = button.padMode;
}

void AdjustmentModes::applyPadPace() {
    if (const PadPace* pace = findPadPace(vars_.PadMode)) {
        replyWindowTimer_.setInterval(pace->replyWindowInterval);
        monitorHoldTimer_.setInterval(pace->monitorHoldInterval);
    }
}

}  // namespace zoma
