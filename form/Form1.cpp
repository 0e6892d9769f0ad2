// Start-up and the dispatch of every control's events to its handler.
#include "form/Form1.h"

#include <string>

#include "commands/CommandTables.h"

namespace zoma {

Form1::Form1(const Form1Services& services)
    : port(services.port),
      timers(services.timers),
      window(services.window),
      link(vars, port, timers.replyWindow, timers.monitorHold, window),
      ports(vars, port, window),
      modes(vars, link, timers.repeat, timers.replyWindow, timers.monitorHold),
      hold(vars, link, modes, timers.repeat, timers.replyWindow, timers.monitorHold, window),
      panels(timers.panelHide, window) {
    timers.repeat.setInterval(kRepeatDesignInterval);
    timers.replyWindow.setInterval(kReplyWindowInterval);
    timers.panelHide.setInterval(Panels::kHidePanelInterval);
    timers.monitorHold.setInterval(kMonitorHoldInterval);
    timers.repeat.onTick = [this] { hold.Timer1_Timer(); };
    timers.replyWindow.onTick = [this] { link.Timer2_Timer(); };
    timers.panelHide.onTick = [this] { panels.Timer3_Timer(); };
    timers.monitorHold.onTick = [this] { link.Timer4_Timer(); };
    port.onCommEvent = [this](int commEvent) { link.MSComm1_OnComm(commEvent); };
    port.onFailure = [this](const std::string& error) { ports.portFailed(error); };
}

void Form1::Form_Load() {
    vars.CommSettings = kStartSettings;
    window.centreOnScreen();
    window.setHeightTwips(Panels::kNormalHeight);
    vars.RepeatCode = 0;
    vars.AwaitingReply = 0;
    link.clearRxBuffer();
    port.setPortNumber(1);
    port.setSettings(vars.CommSettings);
    if (!port.open()) {
        // Without port 1 the operator must still reach the port panel to choose COM2.
        window.showWarning(port.errorText());
    }
    // Marking "COM1" runs its choice once; a port that just failed to open is not retried, and
    // it is left unmarked so that choosing it is a fresh try.
    window.setMarked(kOptionCom1, true);
    ports.choosePort(1, false);
    if (!port.isOpen()) ports.markPortInUse();
}

void Form1::oneShotClick(std::string_view code) {
    vars.LastCommand = std::string(code) + '\r';
    link.Hyouji(vars.LastCommand, CommandLink::kTransmit);
}

void Form1::Command16_Click() {
    port.close();
    window.endProgram();
}

bool Form1::isHeldButton(std::string_view control) {
    return findHeldButton(control) != nullptr;
}

bool Form1::click(std::string_view control) {
    // Command<N>_Click of the one-shot and mode buttons: their codes and paces are tables.
    if (const OneShotButton* button = findOneShotButton(control)) {
        oneShotClick(button->code);
    } else if (const ModeButton* mode = findModeButton(control)) {
        modes.click(*mode);
    } else if (control == kEndButton) {
        Command16_Click();
    } else if (control == kComButton) {
        panels.Command33_Click();
    } else if (control == kDataToggle) {
        panels.Command34_Click();
    } else if (control == kOptionCom1) {
        ports.Option1_Click();
    } else if (control == kOptionCom2) {
        ports.Option2_Click();
    } else if (control == kOption19200) {
        ports.Option3_Click();
    } else if (control == kOption9600) {
        ports.Option4_Click();
    } else {
        return false;
    }
    return true;
}

// Command<N>_MouseDown and Command<N>_MouseUp of the eighteen held buttons.
bool Form1::mouseDown(std::string_view control) {
    const HeldButton* button = findHeldButton(control);
    if (button != nullptr) hold.press(*button);
    return button != nullptr;
}

bool Form1::mouseUp(std::string_view control) {
    const HeldButton* button = findHeldButton(control);
    if (button != nullptr) hold.release(*button);
    return button != nullptr;
}

}  // namespace zoma
