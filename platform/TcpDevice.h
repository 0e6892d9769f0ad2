// A port's device on a serial device server, written "tcp://HOST:PORT".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zoma {

struct TcpDevice {
    // A host name, an IPv4 address, or an IPv6 address without its brackets.
    std::string host;
    int port = 0;  // 1 to 65535
};

// "10.0.0.5": four decimal numbers of 0 to 255.
bool isIpv4Address(std::string_view text);
// "fd00::5", "::1", "::ffff:10.0.0.5", with an optional zone ("fe80::1%eth0"); no brackets.
bool isIpv6Address(std::string_view text);

// Whether the device is meant as a TCP port: it starts with "tcp://", in any case. Every other
// device is a serial port's.
bool isTcpDevice(std::string_view device);

// The host and port of a TCP device, or, when the text is not one, why not ("the port must be a
// number from 1 to 65535"), in words that follow "malformed TCP device: ".
struct TcpDeviceParse {
    std::optional<TcpDevice> device;
    std::string error;
};
TcpDeviceParse parseTcpDevice(std::string_view device);

}  // namespace zoma
