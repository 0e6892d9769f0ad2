// The operator's choice of port (COM1, COM2) and line speed (19200, 9600) on the port panel.
#pragma once

#include <string>

#include "platform/SerialPort.h"
#include "platform/WindowServices.h"
#include "vocabulary/Form1Variables.h"
#include "vocabulary/Roles.h"

namespace zoma {

class PortSelection {
  public:
    static constexpr const char* kSettings19200 = "19200,N,8,1";
    static constexpr const char* kSettings9600 = "9600,N,8,1";

    PortSelection(Form1Variables& vars, SerialPort& port, WindowServices& window);

    void Option1_Click() { choosePort(1, true); }
    void Option2_Click() { choosePort(2, true); }
    void Option3_Click() { chooseSpeed(kSettings19200); }
    void Option4_Click() { chooseSpeed(kSettings9600); }

    // A port choice closes and reopens an open port on the chosen number. A closed port is
    // opened too when `openWhenClosed`, so the operator can recover the line after a failure.
    // On failure the port in use before the choice comes back, reopened if it was open.
    void choosePort(int chosen, bool openWhenClosed);
    // A speed applies at once, also to an open port. A speed the port rejects changes nothing.
    void chooseSpeed(const std::string& settings);

    // An open port failed and is closed by now: the operator is told which line was lost and
    // why, and choosing the port again reopens it.
    void portFailed(const std::string& reason);
    // Marks the option of the open port, or none while the line is closed.
    void markPortInUse();

  private:
    static std::string_view optionOfPort(int number) {
        return number == 2 ? kOptionCom2 : kOptionCom1;
    }
    void markSpeedInUse();

    Form1Variables& vars_;
    SerialPort& port_;
    WindowServices& window_;
};

}  // namespace zoma
