// The device behind port number 1 or 2.
#pragma once

#include <string>
#include <string_view>

#include "platform/SettingsFile.h"

namespace zoma {

// A device for each port; empty where none is named.
struct PortDevices {
    std::string com1;
    std::string com2;

    // com1 for port 1, com2 for any other.
    const std::string& forPort(int portNumber) const { return portNumber == 1 ? com1 : com2; }
};

// Each port's device is the first named of: the command-line option (`options`), the environment
// variable ZOMA_COM1 or ZOMA_COM2, the key com1 or com2 of the settings file, and the system's
// own name of the port (/dev/ttyS0 and /dev/ttyS1; COM1 and COM2 on Windows).
PortDevices resolvePortDevices(const PortDevices& options, const EnvironmentLookup& environment,
                               const SettingsFile& settings);

// The same from the process's environment and the user's settings file, read quietly: a
// program tells the user about its settings file once, where it loads it for its own use. On
// Windows only the options apply and the ports are COM1 and COM2 otherwise, as they always were
// there.
PortDevices resolvePortDevices(const PortDevices& options);

// The device of a port when the program named none: read afresh at every call, so a port opened
// later follows the environment as it is then.
std::string portDeviceName(int portNumber);

// The path a serial device is opened at: a bare name such as "ttyUSB0" stands for the device of
// that name under /dev, as the serial port library takes it; on Windows the name is unchanged.
std::string serialDevicePath(const std::string& device);

// Whether a serial device's path is longer than the system takes: 4095 bytes in all, 255 a part,
// and for the device's own name 250, since the lock file that marks the device in use is named
// "LCK.." and the device's name. Always false on Windows, whose ports are named COMn.
bool serialDevicePathTooLong(const std::string& path);

}  // namespace zoma
