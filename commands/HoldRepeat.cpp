// Press, tick and release of the eighteen held buttons.
#include "commands/HoldRepeat.h"

namespace zoma {

HoldRepeat::HoldRepeat(Form1Variables& vars, CommandLink& link, AdjustmentModes& modes,
                       Timer& repeatTimer)
    : vars_(vars), link_(link), modes_(modes), repeatTimer_(repeatTimer) {}

void HoldRepeat::press(const HeldButton& button) {
    if (button.arrowPad) {
        // The arrows repeat at whatever period Timer1 was last given.
        modes_.applyPadPace();
        vars_.RepeatCode = button.repeatCode;
        link_.send(button.code);
        repeatTimer_.setEnabled(true);
        return;
    }
    vars_.RepeatCode = button.repeatCode;
    link_.send(button.code);
    repeatTimer_.setInterval(button.repeatInterval);
    link_.setPace(button.replyWindowInterval, button.monitorHoldInterval);
    repeatTimer_.setEnabled(true);
}

void HoldRepeat::Timer1_Timer() {
    // RepeatCode 0 (nothing held) finds no row, like any number the table does not hold.
    const HeldButton* held = findHeldButton(vars_.RepeatCode);
    if (held == nullptr) return;
    link_.send(held->code);
    repeatTimer_.setEnabled(true);
}

void HoldRepeat::release(const HeldButton& button) {
    vars_.RepeatCode = 0;
    repeatTimer_.setEnabled(false);
    link_.endHold();
    if (button.dZoom) {
        repeatTimer_.setInterval(kDZoomReleaseInterval);
        vars_.PadMode = kDZoomReleasePadMode;
    }
}

}  // namespace zoma
