// The line zoma-ctl opens: COM1 or COM2 as the panel maps them, or a device named outright.
#pragma once

#include <string>

namespace zoma::ctl {

struct PortChoice {
    // What the serial port opens.
    std::string device;
    // How messages name it: "COM1 (/dev/ttyS0)", or the device alone when it was named so.
    std::string label;
};

PortChoice choosePort(const std::string& argument);

}  // namespace zoma::ctl
