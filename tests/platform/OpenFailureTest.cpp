// A failed open in words: the reason, the port and device tried, the advice; and the one line.
#include "platform/OpenFailure.h"

#include <gtest/gtest.h>

namespace zoma {
namespace {

OpenFailure failure(OpenFailureKind kind, const char* reason, int portNumber, const char* device) {
    OpenFailure made;
    made.kind = kind;
    made.reason = reason;
    made.portNumber = portNumber;
    made.device = device;
    return made;
}

TEST(OpenFailure, PermissionDeniedNamesTheDevicesGroup) {
    OpenFailure denied =
        failure(OpenFailureKind::PermissionDenied, "Permission denied", 1, "/dev/ttyUSB0");
    EXPECT_EQ(openFailureText(denied),
              "Permission denied\n"
              "COM1 (/dev/ttyUSB0) could not be opened.\n"
              "\n"
              "Only members of the group dialout may use /dev/ttyUSB0. Add this user to it "
              "(sudo adduser $USER dialout), then log out and in again.");
    denied.deviceGroup = "uucp";
    EXPECT_NE(openFailureText(denied).find("the group uucp may use"), std::string::npos);
}

TEST(OpenFailure, MissingDeviceListsThePortsThisComputerHas) {
    OpenFailure missing =
        failure(OpenFailureKind::DeviceMissing, "No such file or directory", 2, "/dev/ttyS1");
    missing.portsFound = {{"/dev/ttyUSB0", "FT232R USB UART"}, {"/dev/ttyS4", ""}};
    // Linux takes a port's device from the option, the environment or the settings file;
    // Windows from the option alone, and the advice names only what works there.
#ifdef _WIN32
    const std::string naming = "Name the right one with --com2.";
#else
    const std::string naming =
        "Name the right one with --com2, ZOMA_COM2 or \"com2 = DEVICE\" in the settings file.";
#endif
    EXPECT_EQ(openFailureText(missing),
              "No such file or directory\n"
              "COM2 (/dev/ttyS1) could not be opened.\n"
              "\n"
              "This computer has these serial ports:\n"
              "    /dev/ttyUSB0  FT232R USB UART\n"
              "    /dev/ttyS4\n" +
                  naming);
}

TEST(OpenFailure, MissingDeviceSaysWhenNoPortWasFound) {
    const OpenFailure missing =
        failure(OpenFailureKind::DeviceMissing, "No such file or directory", 1, "/dev/ttyS0");
    EXPECT_EQ(openFailureText(missing),
              "No such file or directory\n"
              "COM1 (/dev/ttyS0) could not be opened.\n"
              "\n"
              "No serial port was found on this computer: is the adapter plugged in?");
}

TEST(OpenFailure, DeviceServerFailuresSayWhichAndWhere) {
    struct Case {
        const char* behaviour;
        OpenFailure failure;
        const char* text;
    };
    OpenFailure timedOut = failure(OpenFailureKind::TimedOut, "", 1, "tcp://10.0.0.5:4001");
    timedOut.limitMs = 3000;
    const Case cases[] = {
        {"refused",
         failure(OpenFailureKind::ConnectionRefused, "Connection refused", 1,
                 "tcp://10.0.0.5:4001"),
         "Connection refused\n"
         "COM1 (tcp://10.0.0.5:4001) could not be opened.\n"
         "\n"
         "10.0.0.5 refused the connection on port 4001: check the port number set on the device "
         "server (often 4001 or 10001), and that no other program is connected to it."},
        {"unknown host",
         failure(OpenFailureKind::HostNotFound, "Host not found", 2, "tcp://moxa-hall3:4001"),
         "Host not found\n"
         "COM2 (tcp://moxa-hall3:4001) could not be opened.\n"
         "\n"
         "The host name moxa-hall3 is not known here: check its spelling, or give the device "
         "server's IP address."},
        {"timed out", timedOut,
         "No answer within 3 seconds\n"
         "COM1 (tcp://10.0.0.5:4001) could not be opened.\n"
         "\n"
         "Check that the device server at 10.0.0.5 is switched on and reachable from this "
         "computer, and that 4001 is its TCP port."},
        {"IPv6 host without brackets in the advice",
         failure(OpenFailureKind::ConnectionRefused, "Connection refused", 1, "tcp://[::1]:4001"),
         "Connection refused\n"
         "COM1 (tcp://[::1]:4001) could not be opened.\n"
         "\n"
         "::1 refused the connection on port 4001: check the port number set on the device "
         "server (often 4001 or 10001), and that no other program is connected to it."},
        {"malformed",
         failure(OpenFailureKind::MalformedDevice,
                 "Malformed TCP device: the port must be a number from 1 to 65535", 1,
                 "tcp://10.0.0.5:99999"),
         "Malformed TCP device: the port must be a number from 1 to 65535\n"
         "COM1 (tcp://10.0.0.5:99999) could not be opened.\n"
         "\n"
         "A port on a serial device server is written tcp://HOST:PORT, for example "
         "tcp://10.0.0.5:4001 or tcp://[::1]:4001."},
        {"other network failures keep the reason alone",
         failure(OpenFailureKind::Other, "Network unreachable", 1, "tcp://10.0.0.5:4001"),
         "Network unreachable\n"
         "COM1 (tcp://10.0.0.5:4001) could not be opened."},
    };
    for (const Case& c : cases) EXPECT_EQ(openFailureText(c.failure), c.text) << c.behaviour;
}

TEST(OpenFailure, TimeoutsAreWordedInSeconds) {
    OpenFailure timedOut = failure(OpenFailureKind::TimedOut, "", 1, "tcp://h:1");
    const std::pair<int, const char*> cases[] = {{3000, "No answer within 3 seconds"},
                                                 {1000, "No answer within 1 second"},
                                                 {500, "No answer within 0.5 seconds"},
                                                 {2500, "No answer within 2.5 seconds"}};
    for (const auto& [limitMs, reason] : cases) {
        timedOut.limitMs = limitMs;
        EXPECT_EQ(openFailureReason(timedOut), reason);
    }
}

TEST(OpenFailure, MessagesSayWhatHappenedToWhichPortAndDevice) {
    struct Case {
        const char* behaviour;
        std::string text;
        const char* expected;
    };
    const Case cases[] = {
        {"a port another program holds is in use, whatever the serial library calls it",
         openFailureText(failure(OpenFailureKind::InUse,
                                 "Permission error while locking the device", 1, "/dev/ttyUSB0")),
         "The port is in use by another program\n"
         "COM1 (/dev/ttyUSB0) could not be opened.\n"
         "\n"
         "Close the other program, or choose the other port."},
        {"in use, as a terminal's line",
         openFailureLine(failure(OpenFailureKind::InUse,
                                 "Permission error while locking the device", 0, "/dev/ttyUSB0")),
         "cannot open /dev/ttyUSB0: The port is in use by another program"},
        {"a name longer than the system takes is not a locking error",
         openFailureText(failure(OpenFailureKind::NameTooLong, "File name too long", 2,
                                 "/dev/serial/by-id/xxx")),
         "The device's name is too long\n"
         "COM2 (/dev/serial/by-id/xxx) could not be opened.\n"
         "\n"
         "A device's name is at most 255 characters between slashes (250 for its last part) and "
         "4095 in all: check the device named for this port."},
        {"a terminal that hangs up: the line was lost, on which port and device",
         lineLostText({"No such file or directory", 1, "/dev/pts/7"}),
         "No such file or directory\n"
         "The line on COM1 (/dev/pts/7) was lost.\n"
         "\n"
         "Choose COM1 on the port panel to open it again once the device is back."},
        {"a device server that closes the connection",
         lineLostText({"The remote host closed the connection", 2, "tcp://10.0.0.5:4001"}),
         "The remote host closed the connection\n"
         "The line on COM2 (tcp://10.0.0.5:4001) was lost.\n"
         "\n"
         "Choose COM2 on the port panel to open it again once the device is back."},
        {"a device named outright has no port to choose again",
         lineLostText({"Input/output error", 0, "/dev/ttyUSB0"}),
         "Input/output error\n"
         "The line on /dev/ttyUSB0 was lost."},
        {"a lost line on a terminal", lineLostLine({"Input/output error", 2, "/dev/ttyUSB1"}),
         "lost COM2 (/dev/ttyUSB1): Input/output error"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text, c.expected) << c.behaviour;
}

TEST(OpenFailure, OneLineNamesThePortAndDeviceThenTheReason) {
    struct Case {
        OpenFailure failure;
        const char* line;
    };
    OpenFailure timedOut = failure(OpenFailureKind::TimedOut, "", 1, "tcp://10.0.0.5:4001");
    timedOut.limitMs = 3000;
    OpenFailure missing =
        failure(OpenFailureKind::DeviceMissing, "No such file or directory", 1, "/dev/ttyS0");
    missing.portsFound = {{"/dev/ttyUSB0", "FT232R USB UART"}};
    const Case cases[] = {
        {missing, "cannot open COM1 (/dev/ttyS0): No such file or directory"},
        {failure(OpenFailureKind::ConnectionRefused, "Connection refused", 2,
                 "tcp://10.0.0.5:4001"),
         "cannot open COM2 (tcp://10.0.0.5:4001): Connection refused"},
        {timedOut, "cannot open COM1 (tcp://10.0.0.5:4001): No answer within 3 seconds"},
        {failure(OpenFailureKind::DeviceMissing, "No such file or directory", 0, "/dev/ttyUSB3"),
         "cannot open /dev/ttyUSB3: No such file or directory"},
        {failure(OpenFailureKind::Other, "The parameter is incorrect.", 1, "COM1"),
         "cannot open COM1: The parameter is incorrect."},
    };
    for (const Case& c : cases) EXPECT_EQ(openFailureLine(c.failure), c.line);
}

}  // namespace
}  // namespace zoma
