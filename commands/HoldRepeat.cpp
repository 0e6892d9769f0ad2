// Press, tick and release of the eighteen held buttons.
#include "commands/HoldRepeat.h"
#include "form/Roles.h"

#include <string>

namespace zoma {

HoldRepeat::HoldRepeat(Form1Variables& vars, CommandLink& link, AdjustmentModes& modes,
                       Timer& repeatTimer, Timer& replyWindowTimer, Timer& monitorHoldTimer,
                       WindowServices& window)
    : vars_(vars),
      link_(link),
      modes_(modes),
      repeatTimer_(repeatTimer),
      replyWindowTimer_(replyWindowTimer),
      monitorHoldTimer_(monitorHoldTimer),
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
        repeatTimer_.setEnabled(true);
        return;
    }
    vars_.RepeatCode = button.repeatCode;
    transmit(button.code);
    repeatTimer_.setInterval(button.repeatInterval);
    replyWindowTimer_.setInterval(button.replyWindowInterval);
    monitorHoldTimer_.setInterval(button.monitorHoldInterval);
    repeatTimer_.setEnabled(true);
}

void HoldRepeat::Timer1_Timer() {
    // RepeatCode 0 (nothing held) finds no row, like any number the table does not hold.
    const HeldButton* held = findHeldButton(vars_.RepeatCode);
    if (held == nullptr) return;
    transmit(held->code);
    repeatTimer_.setEnabled(true);
}

void HoldRepeat::release(const HeldButton& button) {
    vars_.RepeatCode = 0;
    repeatTimer_.setEnabled(false);
    // The last frame's reply window ends here, without a " X X X X" mark.
    replyWindowTimer_.setEnabled(false);
    monitorHoldTimer_.setEnabled(true);
    window_.setCaption(kTxLine, "");
    window_.setCaption(kRxLine, "");
    replyWindowTimer_.setInterval(kReplyWindowInterval);
    monitorHoldTimer_.setInterval(kMonitorHoldInterval);
    link_.clearRxBuffer();
    if (button.dZoom) {
        repeatTimer_.setInterval(kDZoomReleaseInterval);
        vars_.PadMode = kDZoomReleasePadMode;
    }
}

}  // namespace zoma
