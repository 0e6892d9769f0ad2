// Mode clicks and the pad pace step.
#include "commands/AdjustmentModes.h"

namespace zoma {

AdjustmentModes::AdjustmentModes(Form1Variables& vars, CommandLink& link, Timer& repeatTimer)
    : vars_(vars), link_(link), repeatTimer_(repeatTimer) {}

void AdjustmentModes::click(const ModeButton& button) {
    link_.send(button.code);
    repeatTimer_.setInterval(button.repeatInterval);
    vars_.PadMode = button.padMode;
}

void AdjustmentModes::applyPadPace() {
    if (const PadPace* pace = findPadPace(vars_.PadMode)) {
        link_.setPace(pace->replyWindowInterval, pace->monitorHoldInterval);
    }
}

}  // namespace zoma
