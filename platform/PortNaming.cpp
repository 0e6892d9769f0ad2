// Port numbers to device names.
#include "platform/PortNaming.h"

#include <cstdlib>

namespace zoma {

std::string portDeviceName(int portNumber) {
    const std::string number = std::to_string(portNumber);
#ifdef _WIN32
    return "COM" + number;
#else
    const std::string variable = "ZOMA_COM" + number;
    if (const char* device = std::getenv(variable.c_str()); device != nullptr && *device != '\0') {
        return device;
    }
    return "/dev/ttyS" + std::to_string(portNumber - 1);
#endif
}

}  // namespace zoma
