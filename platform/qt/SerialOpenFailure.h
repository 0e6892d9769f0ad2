// The facts about a serial port that would not open: what kind of failure, and what else there is.
#pragma once

#include <QSerialPort>
#include <string>

#include "platform/OpenFailure.h"

namespace zoma {

// Sorts the port's error into the kinds the operator can act on, with the facts each one needs:
// the device's group when its permissions keep the user out, the serial ports this computer has
// when the device is missing.
OpenFailure serialOpenFailure(QSerialPort::SerialPortError error, const QString& errorString,
                              const std::string& device);

}  // namespace zoma
