// The warning box's text and the terminal's line for a port that would not open.
#include "platform/OpenFailure.h"

#include <cstdio>

#include "platform/TcpDevice.h"

namespace zoma {

namespace {

// "3 seconds", "1 second", "0.5 seconds".
std::string seconds(int milliseconds) {
    if (milliseconds == 1000) return "1 second";
    char text[32];
    if (milliseconds % 1000 == 0) {
        std::snprintf(text, sizeof text, "%d seconds", milliseconds / 1000);
    } else {
        std::snprintf(text, sizeof text, "%.1f seconds", milliseconds / 1000.0);
    }
    return text;
}

std::string portName(int portNumber) {
    return "COM" + std::to_string(portNumber);
}

// "COM1 (/dev/ttyS0)"; the device alone when no port number led to it, the port alone where the
// device is called that too (COM1 on Windows), and "the port" when neither is known.
std::string portAndDevice(int portNumber, const std::string& device) {
    if (portNumber == 0) return device.empty() ? std::string("the port") : device;
    const std::string port = portName(portNumber);
    if (device.empty() || device == port) return port;
    return port + " (" + device + ")";
}

// How the operator names another device for the port: on Windows with the option alone, as
// nothing else names the ports there (platform/PortNaming.h).
std::string namingHint(int portNumber) {
    if (portNumber == 0) return {};
    const std::string number = std::to_string(portNumber);
#ifdef _WIN32
    return "Name the right one with --com" + number + ".";
#else
    return "Name the right one with --com" + number + ", ZOMA_COM" + number + " or \"com" + number +
           " = DEVICE\" in the settings file.";
#endif
}

std::string missingDeviceAdvice(const OpenFailure& failure) {
    if (failure.portsFound.empty()) {
        return "No serial port was found on this computer: is the adapter plugged in?";
    }
    std::string advice = "This computer has these serial ports:\n";
    for (const FoundPort& found : failure.portsFound) {
        advice += "    " + found.device;
        if (!found.description.empty()) advice += "  " + found.description;
        advice += '\n';
    }
    return advice + namingHint(failure.portNumber);
}

std::string advice(const OpenFailure& failure) {
    const TcpDeviceParse tcp = parseTcpDevice(failure.device);
    const std::string host = tcp.device ? tcp.device->host : failure.device;
    const std::string port = tcp.device ? std::to_string(tcp.device->port) : std::string("?");
    switch (failure.kind) {
        case OpenFailureKind::PermissionDenied: {
            const std::string group =
                failure.deviceGroup.empty() ? std::string("dialout") : failure.deviceGroup;
            return "Only members of the group " + group + " may use " + failure.device +
                   ". Add this user to it (sudo adduser $USER " + group +
                   "), then log out and in again.";
        }
        case OpenFailureKind::InUse:
            return failure.portNumber == 0 ? "Close the other program first."
                                           : "Close the other program, or choose the other port.";
        case OpenFailureKind::NameTooLong:
            return "A device's name is at most 255 characters between slashes (250 for its last "
                   "part) and 4095 in all: check the device named for this port.";
        case OpenFailureKind::DeviceMissing:
            return missingDeviceAdvice(failure);
        case OpenFailureKind::MalformedDevice:
            return "A port on a serial device server is written tcp://HOST:PORT, for example "
                   "tcp://10.0.0.5:4001 or tcp://[::1]:4001.";
        case OpenFailureKind::HostNotFound:
            return "The host name " + host +
                   " is not known here: check its spelling, or give the device server's IP "
                   "address.";
        case OpenFailureKind::ConnectionRefused:
            return host + " refused the connection on port " + port +
                   ": check the port number set on the device server (often 4001 or 10001), "
                   "and that no other program is connected to it.";
        case OpenFailureKind::TimedOut:
            return "Check that the device server at " + host +
                   " is switched on and reachable from this computer, and that " + port +
                   " is its TCP port.";
        case OpenFailureKind::Other:
            break;
    }
    return {};
}

}  // namespace

std::string openFailureReason(const OpenFailure& failure) {
    switch (failure.kind) {
        case OpenFailureKind::TimedOut:
            if (failure.reason.empty()) return "No answer within " + seconds(failure.limitMs);
            break;
        case OpenFailureKind::InUse:
            // The serial library reports a port held by another program as a failure to lock
            // it, in the words of a permission error.
            return "The port is in use by another program";
        case OpenFailureKind::NameTooLong:
            return "The device's name is too long";
        default:
            break;
    }
    return failure.reason;
}

std::string openFailureText(const OpenFailure& failure) {
    std::string text = openFailureReason(failure);
    // A device's name stays as it is written, even at the start of the sentence.
    const std::string tried = portAndDevice(failure.portNumber, failure.device);
    text +=
        "\n" + (tried == "the port" ? std::string("The port") : tried) + " could not be opened.";
    if (const std::string more = advice(failure); !more.empty()) text += "\n\n" + more;
    return text;
}

std::string openFailureLine(const OpenFailure& failure) {
    return "cannot open " + portAndDevice(failure.portNumber, failure.device) + ": " +
           openFailureReason(failure);
}

std::string lineLostText(const LineLoss& loss) {
    std::string text =
        loss.reason + "\nThe line on " + portAndDevice(loss.portNumber, loss.device) + " was lost.";
    if (loss.portNumber != 0) {
        text += "\n\nChoose " + portName(loss.portNumber) +
                " on the port panel to open it again once the device is back.";
    }
    return text;
}

std::string lineLostLine(const LineLoss& loss) {
    return "lost " + portAndDevice(loss.portNumber, loss.device) + ": " + loss.reason;
}

}  // namespace zoma
