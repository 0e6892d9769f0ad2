// The line zoma-ctl opens: COM1 or COM2 as the panel maps them, or a device named outright.
#pragma once

#include <string>

#include "platform/PortNaming.h"

namespace zoma::ctl {

struct PortChoice {
    // 1 or 2 for COM1 and COM2; 0 for a device named outright.
    int portNumber = 0;
    // What the serial port opens.
    std::string device;
};

// Whether the argument names one of the panel's ports, whose devices the settings file and the
// environment may give.
bool namesPanelPort(const std::string& argument);

// COM1 and COM2 take their devices from `devices`; any other argument is the device itself.
PortChoice choosePort(const std::string& argument, const PortDevices& devices);

// Points a line port at the choice before it opens, 8N1 at `speed`: COM1 and COM2 by number
// over `devices`, so its messages name them as the panel's do; any other device by its name.
template <typename LinePort>
void aimLinePort(LinePort& port, const PortChoice& choice, const PortDevices& devices, int speed) {
    if (choice.portNumber != 0) {
        port.setDevices(devices);
        port.setPortNumber(choice.portNumber);
    } else {
        port.setDeviceName(choice.device);
    }
    port.setSettings(std::to_string(speed) + ",N,8,1");
}

}  // namespace zoma::ctl
