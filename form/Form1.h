// The panel's form: its variables, its parts and every control's event handler by name.
#pragma once

#include <string_view>

#include "commands/AdjustmentModes.h"
#include "commands/HoldRepeat.h"
#include "form/ControlTable.h"
#include "form/Panels.h"
#include "link/CommandLink.h"
#include "link/PortSelection.h"
#include "platform/SerialPort.h"
#include "platform/Timer.h"
#include "platform/WindowServices.h"
#include "vocabulary/Form1Variables.h"
#include "vocabulary/Roles.h"

namespace zoma {

// What the form runs on: the program passes the Qt services, the tests their doubles.
struct Form1Services {
    SerialPort& port;
    FormTimers timers;
    WindowServices& window;
};

class Form1 {
  public:
    static constexpr const char* kStartSettings = "19200,N,8,1";

    explicit Form1(const Form1Services& services);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Start-up: settings, centring, height, port 1 opened, "COM1" marked. Sends nothing.
    void Form_Load();

    // The events of the controls, by control name ("Command17", kOptionCom2), as the control
    // table's handler column says. They return false for a control that has no such event.
    bool click(std::string_view control);
    bool mouseDown(std::string_view control);
    bool mouseUp(std::string_view control);
    void Form_KeyDown(int keyCode, int shift) { panels.Form_KeyDown(keyCode, shift); }

    // Whether the control acts on press and release rather than on click.
    static bool isHeldButton(std::string_view control);

    // END: closes the port and ends the program; nothing is sent on the way out.
    void Command16_Click();

    Form1Variables vars;
    SerialPort& port;
    FormTimers timers;
    WindowServices& window;
    CommandLink link;
    PortSelection ports;
    AdjustmentModes modes;
    HoldRepeat hold;
    Panels panels;
};

}  // namespace zoma
