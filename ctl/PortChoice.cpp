// COM1 and COM2 go through the panel's own port naming, environment included.
#include "ctl/PortChoice.h"

#include "platform/PortNaming.h"

namespace zoma::ctl {

namespace {

struct NumberedPort {
    const char* name;
    int number;
};

constexpr NumberedPort kNumberedPorts[] = {{"COM1", 1}, {"COM2", 2}};

}  // namespace

PortChoice choosePort(const std::string& argument) {
    for (const NumberedPort& port : kNumberedPorts) {
        if (argument != port.name) continue;
        // The one place zoma-ctl maps a port number to its device.
        const std::string device = portDeviceName(port.number);
        // Where the device is called as the port is (COM1 on Windows), the port is named once.
        return {device, device == argument ? argument : argument + " (" + device + ")"};
    }
    return {argument, argument};
}

}  // namespace zoma::ctl
