// Reads "[ADDRESS:]PORT" for the gateway's listeners.
#include "gateway/ListenAddress.h"

#include <algorithm>

#include "platform/TcpDevice.h"

namespace zoma::gateway {

namespace {

std::optional<int> portNumber(std::string_view text) {
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const int port = std::stoi(std::string(text));
    if (port > 65535) return std::nullopt;
    return port;
}

ListenAddressParse failed(std::string why) {
    return {std::nullopt, std::move(why)};
}

}  // namespace

ListenAddressParse parseListenAddress(std::string_view text) {
    std::string_view address;
    std::string_view port = text;
    if (!text.empty() && text.front() == '[') {
        const auto close = text.find("]:");
        if (close == std::string_view::npos) {
            return failed("an IPv6 address goes in brackets before the port, as in [::1]:4352");
        }
        address = text.substr(1, close - 1);
        port = text.substr(close + 2);
        if (!isIpv6Address(address))
            return failed(std::string(address) + " is not an IPv6 address");
    } else if (const auto colon = text.rfind(':'); colon != std::string_view::npos) {
        address = text.substr(0, colon);
        port = text.substr(colon + 1);
        if (address.find(':') != std::string_view::npos) {
            return failed("an IPv6 address goes in brackets, as in [::1]:4352");
        }
        if (!isIpv4Address(address)) {
            return failed(std::string(address) + " is not an IP address of this machine");
        }
    }
    const std::optional<int> number = portNumber(port);
    if (!number) return failed("the port must be a number from 0 to 65535");
    ListenAddress listen;
    if (!address.empty()) listen.address = std::string(address);
    listen.port = *number;
    return {listen, {}};
}

bool isLoopback(std::string_view address) {
    if (isIpv4Address(address)) return address.substr(0, 4) == "127.";
    return address == "::1" || address == "0:0:0:0:0:0:0:1";
}

std::string listenText(std::string_view address, int port) {
    const bool ipv6 = address.find(':') != std::string_view::npos;
    return (ipv6 ? "[" + std::string(address) + "]" : std::string(address)) + ":" +
           std::to_string(port);
}

}  // namespace zoma::gateway
