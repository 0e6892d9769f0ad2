// Mode clicks and the pad pace step.
#include "commands/AdjustmentModes.h"

#include <string>

namespace zoma {

AdjustmentModes::AdjustmentModes(Form1Variables& vars, CommandLink& link, Timer& timer1,
                                 Timer& timer2, Timer& timer4)
    : vars_(vars), link_(link), timer1_(timer1), timer2_(timer2), timer4_(timer4) {}

void AdjustmentModes::click(const ModeButton& button) {
    vars_.LastCommand = std::string(button.code) + '\r';
    link_.Hyouji(vars_.LastCommand, CommandLink::kTransmit);
    timer1_.setInterval(button.timer1Interval);
    vars_.PadMode = button.padMode;
}

void AdjustmentModes::applyPadPace() {
    if (const PadPace* pace = findPadPace(vars_.PadMode)) {
        timer2_.setInterval(pace->timer2Interval);
        timer4_.setInterval(pace->timer4Interval);
    }
}

}  // namespace zoma
