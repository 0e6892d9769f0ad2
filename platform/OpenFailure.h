// Why a port could not be opened, in words that help the operator act on it.
#pragma once

#include <string>
#include <vector>

namespace zoma {

enum class OpenFailureKind {
    Other,             // nothing known beyond the system's reason
    PermissionDenied,  // the device's permissions keep this user out
    InUse,             // another program holds the port
    NameTooLong,       // the device's name is longer than the system takes
    DeviceMissing,     // no such device
    MalformedDevice,   // a tcp:// device that is not written right
    HostNotFound,      // the device server's name is not known
    ConnectionRefused,
    TimedOut,  // no answer from the device server within the limit
};

// A serial port this computer has.
struct FoundPort {
    std::string device;       // "/dev/ttyUSB0"
    std::string description;  // "FT232R USB UART", or empty
};

// The facts the port adapter gathers when an open fails.
struct OpenFailure {
    OpenFailureKind kind = OpenFailureKind::Other;
    // The system's own words ("No such file or directory"); empty for a timeout, which the
    // system does not word.
    std::string reason;
    // 1 or 2; 0 for a device named outright rather than through a port number.
    int portNumber = 0;
    // As it was tried: "/dev/ttyS0", "tcp://10.0.0.5:4001".
    std::string device;
    // PermissionDenied: the group whose members may use the device ("dialout"); empty when
    // that is not known, and the advice names dialout, the serial ports' group on Debian.
    std::string deviceGroup;
    // DeviceMissing: the serial ports this computer does have.
    std::vector<FoundPort> portsFound;
    // TimedOut: how long the connection was given.
    int limitMs = 0;
};

// The system's reason, or for a timeout "No answer within 3 seconds". Where the system's words
// mislead (a port another program holds reads as a permission error), the words say what
// happened.
std::string openFailureReason(const OpenFailure& failure);

// The warning box's text: the reason first, then that the port (and its device) could not be
// opened, then what the operator can do about it where something can be said.
std::string openFailureText(const OpenFailure& failure);

// One line for a program on a terminal:
// "cannot open COM1 (/dev/ttyS0): No such file or directory".
std::string openFailureLine(const OpenFailure& failure);

// A line that failed while it was open: an adapter unplugged, a terminal hung up, a device
// server that closed the connection.
struct LineLoss {
    // The system's words.
    std::string reason;
    // 1 or 2; 0 for a device named outright.
    int portNumber = 0;
    std::string device;
};

// The warning box's text: the reason, that the line on the port was lost, and how to get it
// back.
std::string lineLostText(const LineLoss& loss);

// One line for a program on a terminal: "lost COM1 (/dev/ttyUSB0): Input/output error".
std::string lineLostLine(const LineLoss& loss);

}  // namespace zoma
