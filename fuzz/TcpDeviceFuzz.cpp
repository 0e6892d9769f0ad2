// TCP device text: whatever parses names a host and a port in range and reads back the same;
// whatever does not says why; the words of a failed open cope with any device.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "platform/OpenFailure.h"
#include "platform/TcpDevice.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string device(reinterpret_cast<const char*>(data), size);

    // Any device, parsed or not, can be put into a warning and a terminal line.
    zoma::OpenFailure failure;
    failure.kind = static_cast<zoma::OpenFailureKind>(size % 9);
    failure.portNumber = static_cast<int>(size % 3);
    failure.device = device;
    failure.limitMs = static_cast<int>(size) * 7;
    // The reason comes first, and the device tried is named.
    const std::string text = zoma::openFailureText(failure);
    ZOMA_FUZZ_CHECK(text.rfind(zoma::openFailureReason(failure), 0) == 0);
    ZOMA_FUZZ_CHECK(text.find(device) != std::string::npos);
    const std::string line = zoma::openFailureLine(failure);
    ZOMA_FUZZ_CHECK(line.rfind("cannot open ", 0) == 0 && line.find(device) != std::string::npos);

    const zoma::TcpDeviceParse parsed = zoma::parseTcpDevice(device);
    if (!parsed.device) {
        ZOMA_FUZZ_CHECK(!parsed.error.empty());
        return 0;
    }
    ZOMA_FUZZ_CHECK(parsed.error.empty());
    ZOMA_FUZZ_CHECK(zoma::isTcpDevice(device));
    ZOMA_FUZZ_CHECK(parsed.device->port >= 1 && parsed.device->port <= 65535);
    const std::string& host = parsed.device->host;
    ZOMA_FUZZ_CHECK(!host.empty());
    // Nothing that could end the host or begin a path, user or second port slips into it.
    const bool tidy = std::none_of(host.begin(), host.end(), [](char c) {
        return std::isspace(static_cast<unsigned char>(c)) != 0 || c == '/' || c == '@' ||
               c == '[' || c == ']' || c == '\0';
    });
    ZOMA_FUZZ_CHECK(tidy);

    // The canonical text of what was parsed parses to the same host and port.
    const bool ipv6 = host.find(':') != std::string::npos;
    const std::string canonical =
        "tcp://" + (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(parsed.device->port);
    const zoma::TcpDeviceParse again = zoma::parseTcpDevice(canonical);
    ZOMA_FUZZ_CHECK(again.device && again.device->host == host &&
                    again.device->port == parsed.device->port);
    return 0;
}
