// Port and speed choices, with the warning box and the return to the working line on failure.
#include "link/PortSelection.h"

#include <optional>

#include "platform/OpenFailure.h"

namespace zoma {

PortSelection::PortSelection(Form1Variables& vars, SerialPort& port, WindowServices& window)
    : vars_(vars), port_(port), window_(window) {}

void PortSelection::choosePort(int chosen, bool openWhenClosed) {
    const int previous = port_.portNumber();
    const bool wasOpen = port_.isOpen();
    if (wasOpen) port_.close();
    port_.setPortNumber(chosen);

    std::optional<std::string> error;
    if ((wasOpen || openWhenClosed) && !port_.open()) error = port_.errorText();

    if (!error) {
        window_.setVisible(kPortPanel, false);
        return;
    }
    window_.showWarning(*error);
    // Back to the line that worked before the choice; the panel stays up for another try.
    port_.setPortNumber(previous);
    if (wasOpen) port_.open();
    markPortInUse();
}

void PortSelection::markPortInUse() {
    if (port_.isOpen()) {
        window_.setMarked(optionOfPort(port_.portNumber()), true);
        return;
    }
    // No line: neither port is marked, so choosing either one is a choice that opens it.
    window_.setMarked(kOptionCom1, false);
    window_.setMarked(kOptionCom2, false);
}

void PortSelection::portFailed(const std::string& reason) {
    window_.showWarning(lineLostText({reason, port_.portNumber(), port_.device()}));
    markPortInUse();
}

void PortSelection::chooseSpeed(const std::string& settings) {
    if (!port_.setSettings(settings)) {
        window_.showWarning(port_.errorText());
        markSpeedInUse();
        return;
    }
    vars_.CommSettings = settings;
    window_.setVisible(kPortPanel, false);
}

void PortSelection::markSpeedInUse() {
    window_.setMarked(vars_.CommSettings == kSettings9600 ? kOption9600 : kOption19200, true);
}

}  // namespace zoma
