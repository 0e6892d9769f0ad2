// tcp://HOST:PORT devices: hosts and ports read, malformed texts refused with the reason why.
#include "platform/TcpDevice.h"

#include <gtest/gtest.h>

namespace zoma {
namespace {

TEST(TcpDevice, OnlyTheTcpSchemeMakesATcpDevice) {
    for (const char* device : {"tcp://10.0.0.5:4001", "TCP://host:1", "tcp://", "Tcp://x"}) {
        EXPECT_TRUE(isTcpDevice(device)) << device;
    }
    for (const char* device : {"/dev/ttyS0", "COM1", "", "tcp:/x:1", "udp://h:1",
                               "tcp:", "/dev/tcp://x:1", " tcp://h:1"}) {
        EXPECT_FALSE(isTcpDevice(device)) << device;
    }
}

TEST(TcpDevice, ReadsHostAndPort) {
    struct Case {
        const char* device;
        const char* host;
        int port;
    };
    const Case cases[] = {
        {"tcp://10.0.0.5:4001", "10.0.0.5", 4001},
        {"tcp://127.0.0.1:1", "127.0.0.1", 1},
        {"tcp://255.255.255.255:65535", "255.255.255.255", 65535},
        {"TCP://192.168.1.20:10001", "192.168.1.20", 10001},
        {"tcp://[::1]:4001", "::1", 4001},
        {"tcp://[fe80::1%eth0]:4001", "fe80::1%eth0", 4001},
        {"tcp://[2001:db8:0:0:0:0:0:7]:23", "2001:db8:0:0:0:0:0:7", 23},
        {"tcp://[::ffff:10.0.0.5]:4001", "::ffff:10.0.0.5", 4001},
        {"tcp://[::]:4001", "::", 4001},
        {"tcp://localhost:4001", "localhost", 4001},
        {"tcp://projector-7.lecture-hall.example:10001", "projector-7.lecture-hall.example", 10001},
        {"tcp://moxa_hall3:4001", "moxa_hall3", 4001},
        {"tcp://10.0.0.5:04001", "10.0.0.5", 4001},
    };
    for (const Case& c : cases) {
        const TcpDeviceParse parsed = parseTcpDevice(c.device);
        ASSERT_TRUE(parsed.device.has_value()) << c.device << ": " << parsed.error;
        EXPECT_EQ(parsed.device->host, c.host) << c.device;
        EXPECT_EQ(parsed.device->port, c.port) << c.device;
        EXPECT_EQ(parsed.error, "") << c.device;
    }
}

TEST(TcpDevice, RefusesMalformedDevicesAndSaysWhy) {
    struct Case {
        const char* device;
        const char* error;
    };
    const Case cases[] = {
        {"/dev/ttyS0", "it does not start with tcp://"},
        {"tcp://", "the host is missing, as in tcp://10.0.0.5:4001"},
        {"tcp://:4001", "the host is missing, as in tcp://10.0.0.5:4001"},
        {"tcp://10.0.0.5", "the port is missing, as in tcp://10.0.0.5:4001"},
        {"tcp://10.0.0.5:", "the port must be a number from 1 to 65535"},
        {"tcp://10.0.0.5:0", "the port must be a number from 1 to 65535"},
        {"tcp://10.0.0.5:65536", "the port must be a number from 1 to 65535"},
        {"tcp://10.0.0.5:99999999999", "the port must be a number from 1 to 65535"},
        {"tcp://10.0.0.5:-1", "the port must be a number from 1 to 65535"},
        {"tcp://10.0.0.5:+4001", "the port must be a number from 1 to 65535"},
        {"tcp://10.0.0.5:4001/", "the port must be a number from 1 to 65535"},
        {"tcp://10.0.0.5:40 01", "the port must be a number from 1 to 65535"},
        {"tcp://10.0.0.5:telnet", "the port must be a number from 1 to 65535"},
        {"tcp://10.0.0.256:4001", "10.0.0.256 is not an IPv4 address"},
        {"tcp://10.0.0:4001", "10.0.0 is not an IPv4 address"},
        {"tcp://10..0.5:4001", "10..0.5 is not an IPv4 address"},
        {"tcp://::1:4001", "an IPv6 address goes in brackets, as in tcp://[::1]:4001"},
        {"tcp://[::1:4001", "the IPv6 address has no closing bracket, as in tcp://[::1]:4001"},
        {"tcp://[::1]", "the port is missing, as in tcp://[::1]:4001"},
        {"tcp://[::1]4001", "the port must follow the address after a colon"},
        {"tcp://[]:4001", "[] is not an IPv6 address"},
        {"tcp://[10.0.0.5]:4001", "[10.0.0.5] is not an IPv6 address"},
        {"tcp://[1::2::3]:4001", "[1::2::3] is not an IPv6 address"},
        {"tcp://[12345::1]:4001", "[12345::1] is not an IPv6 address"},
        {"tcp://[1:2:3:4:5:6:7]:4001", "[1:2:3:4:5:6:7] is not an IPv6 address"},
        {"tcp://[1:2:3:4:5:6:7:8:9]:4001", "[1:2:3:4:5:6:7:8:9] is not an IPv6 address"},
        {"tcp://[fe80::1%]:4001", "[fe80::1%] is not an IPv6 address"},
        {"tcp://ho st:4001", "\"ho st\" is not a host name"},
        {"tcp://-projector:4001", "\"-projector\" is not a host name"},
        {"tcp://projector..hall:4001", "\"projector..hall\" is not a host name"},
        {"tcp://user@host:4001", "\"user@host\" is not a host name"},
        {"tcp://host/path:4001", "\"host/path\" is not a host name"},
    };
    for (const Case& c : cases) {
        const TcpDeviceParse parsed = parseTcpDevice(c.device);
        EXPECT_FALSE(parsed.device.has_value()) << c.device;
        EXPECT_EQ(parsed.error, c.error) << c.device;
    }
}

}  // namespace
}  // namespace zoma
