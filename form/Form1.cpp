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
      modes(vars, link, timers.repeat),
      hold(vars, link, modes, timers.repeat),
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

void Form1::Command16_Click() {
    port.close();
    window.endProgram();
}

namespace {

Handler handlerOf(std::string_view control) {
    const ControlRow* row = form1Controls().find(control);
    return row != nullptr ? row->behaviour.handler : Handler::None;
}

}  // namespace

bool Form1::isHeldButton(std::string_view control) {
    return handlerOf(control) == Handler::Hold;
}

bool Form1::click(std::string_view control) {
    const ControlRow* row = form1Controls().find(control);
    if (row == nullptr) return false;
    switch (row->behaviour.handler) {
        case Handler::Send:
            // Command<N>_Click of a one-shot button: its code stands in its row.
            link.send(row->behaviour.code);
            return true;
        case Handler::Mode:
            modes.click(*findModeButton(control));
            return true;
        case Handler::End:
            Command16_Click();
            return true;
        case Handler::ShowPortPanel:
            panels.Command33_Click();
            return true;
        case Handler::ToggleData:
            panels.Command34_Click();
            return true;
        case Handler::ChooseCom1:
            ports.Option1_Click();
            return true;
        case Handler::ChooseCom2:
            ports.Option2_Click();
            return true;
        case Handler::Choose19200:
            ports.Option3_Click();
            return true;
        case Handler::Choose9600:
            ports.Option4_Click();
            return true;
        case Handler::Hold:
        case Handler::None:
            break;
    }
    return false;
}

// Command<N>_MouseDown and Command<N>_MouseUp of the eighteen held buttons.
bool Form1::mouseDown(std::string_view control) {
    const HeldButton* button = isHeldButton(control) ? findHeldButton(control) : nullptr;
    if (button != nullptr) hold.press(*button);
    return button != nullptr;
}

bool Form1::mouseUp(std::string_view control) {
    const HeldButton* button = isHeldButton(control) ? findHeldButton(control) : nullptr;
    if (button != nullptr) hold.release(*button);
    return button != nullptr;
}

}  // namespace zoma
