// Where a gateway listener listens: "[ADDRESS:]PORT", on this machine only unless told.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zoma::gateway {

// The address a listener takes when none is given: this machine only.
inline constexpr const char* kLoopback = "127.0.0.1";

struct ListenAddress {
    // An IPv4 or IPv6 literal, without brackets.
    std::string address = kLoopback;
    // 0 picks a free port.
    int port = 0;
};

struct ListenAddressParse {
    std::optional<ListenAddress> listen;
    std::string error;
};

// "4352" (on 127.0.0.1), "0.0.0.0:4352", "[::]:4352", "[::1]:0". Host names are refused: a
// listener binds an address of this machine.
ListenAddressParse parseListenAddress(std::string_view text);

// 127.0.0.0/8 and ::1: reachable from this machine only.
bool isLoopback(std::string_view address);

// "127.0.0.1:4352", "[::1]:4352".
std::string listenText(std::string_view address, int port);

}  // namespace zoma::gateway
