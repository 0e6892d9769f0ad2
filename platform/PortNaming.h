// The device behind port number 1 or 2.
#pragma once

#include <string>

namespace zoma {

// On Windows "COM1" and "COM2". Elsewhere the environment variables ZOMA_COM1 and ZOMA_COM2 name
// the device (a USB adapter, a pseudo-terminal); without them 1 is /dev/ttyS0 and 2 /dev/ttyS1.
std::string portDeviceName(int portNumber);

}  // namespace zoma
