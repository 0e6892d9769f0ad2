// COM1 and COM2 go through the panel's own port naming, environment included.
#include "ctl/PortChoice.h"

namespace zoma::ctl {

namespace {

struct NumberedPort {
    const char* name;
    int number;
};

constexpr NumberedPort kNumberedPorts[] = {{"COM1", 1}, {"COM2", 2}};

}  // namespace

bool namesPanelPort(const std::string& argument) {
    return choosePort(argument, {}).portNumber != 0;
}

PortChoice choosePort(const std::string& argument, const PortDevices& devices) {
    for (const NumberedPort& port : kNumberedPorts) {
        if (argument == port.name) return {port.number, devices.forPort(port.number)};
    }
    return {0, argument};
}

}  // namespace zoma::ctl
