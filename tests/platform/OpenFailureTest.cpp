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
              "Port: COM1 (/dev/ttyUSB0)\n"
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
              "Port: COM2 (/dev/ttyS1)\n"
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
              "Port: COM1 (/dev/ttyS0)\n"
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
         "Port: COM1 (tcp://10.0.0.5:4001)\n"
         "\n"
         "10.0.0.5 refused the connection on port 4001: check the port number set on the device "
         "server (often 4001 or 10001), and that no other program is connected to it."},
        {"unknown host",
         failure(OpenFailureKind::HostNotFound, "Host not found", 2, "tcp://moxa-hall3:4001"),
         "Host not found\n"
         "Port: COM2 (tcp://moxa-hall3:4001)\n"
         "\n"
         "The host name moxa-hall3 is not known here: check its spelling, or give the device "
         "server's IP address."},
        {"timed out", timedOut,
         "No answer within 3 seconds\n"
         "Port: COM1 (tcp://10.0.0.5:4001)\n"
         "\n"
         "Check that the device server at 10.0.0.5 is switched on and reachable from this "
         "computer, and that 4001 is its TCP port."},
        {"IPv6 host without brackets in the advice",
         failure(OpenFailureKind::ConnectionRefused, "Connection refused", 1, "tcp://[::1]:4001"),
         "Connection refused\n"
         "Port: COM1 (tcp://[::1]:4001)\n"
         "\n"
         "::1 refused the connection on port 4001: check the port number set on the device "
         "server (often 4001 or 10001), and that no other program is connected to it."},
        {"malformed",
         failure(OpenFailureKind::MalformedDevice,
                 "Malformed TCP device: the port must be a number from 1 to 65535", 1,
                 "tcp://10.0.0.5:99999"),
         "Malformed TCP device: the port must be a number from 1 to 65535\n"
         "Port: COM1 (tcp://10.0.0.5:99999)\n"
         "\n"
         "A port on a serial device server is written tcp://HOST:PORT, for example "
         "tcp://10.0.0.5:4001 or tcp://[::1]:4001."},
        {"other network failures keep the reason alone",
         failure(OpenFailureKind::Other, "Network unreachable", 1, "tcp://10.0.0.5:4001"),
         "Network unreachable\n"
         "Port: COM1 (tcp://10.0.0.5:4001)"},
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

TEST(OpenFailure, InUseSuggestsTheOtherPort) {
    const OpenFailure held = failure(
        OpenFailureKind::InUse, "Permission error while locking the device", 1, "/dev/ttyUSB0");
    EXPECT_EQ(openFailureText(held),
              "Permission error while locking the device\n"
              "Port: COM1 (/dev/ttyUSB0)\n"
              "\n"
              "Another program is using this port: close it, or choose the other port.");
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
