// Press, tick and release of the eighteen held buttons.
#include "commands/HoldRepeat.h"

#include <string>

namespace zoma {

HoldRepeat::HoldRepeat(Form1Variables& vars, CommandLink& link, AdjustmentModes& modes,
                       Timer& timer1, Timer& timer2, Timer& timer4, WindowServices& window)
    : vars_(vars),
      link_(link),
      modes_(modes),
      timer1_(timer1),
      timer2_(timer2),
      timer4_(timer4),
      window_(window) {}

void HoldRepeat::transmit(std::string_view code) {
    vars_.LastCommand = std::string(code) + '\r';
    link_.Hyouji(vars_.LastCommand, CommandLink::kTransmit);
}

void HoldRepeat::press(const HeldButton& button) {
    if (button.arrowPad) {
        // The arrows repeat at whatever period Timer1 was last given.
        modes_.applyPadPace();
        vars_.RepeatCode = button.repeatCode;
        transmit(button.code);
        timer1_.setEnabled(true);
        return;
    }
    vars_.RepeatCode = button.repeatCode;
    transmit(button.code);
    timer1_.setInterval(button.timer1Interval);
    timer2_.setInterval(button.timer2Interval);
    timer4_.setInterval(button.timer4Interval);
    timer1_.setEnabled(true);
}

void HoldRepeat::Timer1_Timer() {
    if (vars_.RepeatCode == 0) return;
    const HeldButton* held = findHeldButton(vars_.RepeatCode);
    if (held == nullptr) return;
    transmit(held->code);
    timer1_.setEnabled(true);
}

void HoldRepeat::release(const HeldButton& button) {
    vars_.RepeatCode = 0;
    timer1_.setEnabled(false);
    // The last frame's reply window ends here, without a " X X X X" mark.
    timer2_.setEnabled(false);
    timer4_.setEnabled(true);
    window_.setCaption("Label11", "");
    window_.setCaption("Label12", "");
    timer2_.setInterval(kReplyWindowInterval);
    timer4_.setInterval(kMonitorHoldInterval);
    link_.clearRxBuffer();
    if (button.dZoom) {
        timer1_.setInterval(kDZoomReleaseInterval);
        vars_.PadMode = kDZoomReleasePadMode;
    }
}

}  // namespace zoma
