// Reads "tcp://HOST:PORT": IPv4, bracketed IPv6 and host names, ports 1 to 65535.
#include "platform/TcpDevice.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace zoma {

namespace {

constexpr std::string_view kScheme = "tcp://";
constexpr int kHighestPort = 65535;

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool isHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// A decimal number within [low, high], digits only, at most `maxDigits` of them.
std::optional<int> decimal(std::string_view text, int low, int high, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits ||
        !std::all_of(text.begin(), text.end(), isDigit)) {
        return std::nullopt;
    }
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    if (value < low || value > high) return std::nullopt;
    return value;
}

// Labels of letters, digits, '-' and '_' between dots, none empty or longer than 63, none
// starting or ending with '-'.
bool isHostName(std::string_view text) {
    if (text.size() > 253) return false;
    while (true) {
        const auto dot = text.find('.');
        const std::string_view label = text.substr(0, dot);
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-') {
            return false;
        }
        const bool allowed = std::all_of(label.begin(), label.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_';
        });
        if (!allowed) return false;
        if (dot == std::string_view::npos) return true;
        text.remove_prefix(dot + 1);
    }
}

TcpDeviceParse failed(std::string why) {
    return {std::nullopt, std::move(why)};
}

}  // namespace

bool isIpv4Address(std::string_view text) {
    int parts = 0;
    while (true) {
        const auto dot = text.find('.');
        if (!decimal(text.substr(0, dot), 0, 255, 3)) return false;
        ++parts;
        if (dot == std::string_view::npos) break;
        text.remove_prefix(dot + 1);
    }
    return parts == 4;
}

// Eight groups of up to four hex digits, "::" standing for one or more zero groups, the last
// two groups possibly written as an IPv4 address, and an optional zone ("%eth0").
bool isIpv6Address(std::string_view text) {
    if (const auto percent = text.find('%'); percent != std::string_view::npos) {
        const std::string_view zone = text.substr(percent + 1);
        const bool zoneOk = !zone.empty() && std::all_of(zone.begin(), zone.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '.' ||
                   c == '-';
        });
        if (!zoneOk) return false;
        text = text.substr(0, percent);
    }
    const auto gap = text.find("::");
    const bool hasGap = gap != std::string_view::npos;
    if (hasGap && text.find("::", gap + 1) != std::string_view::npos) return false;

    // Counts the groups of one side of the gap; false for a malformed group.
    const auto countGroups = [](std::string_view side, bool ipv4Allowed, int& groups) {
        groups = 0;
        if (side.empty()) return true;
        while (true) {
            const auto colon = side.find(':');
            const std::string_view group = side.substr(0, colon);
            if (colon == std::string_view::npos && ipv4Allowed && isIpv4Address(group)) {
                groups += 2;
                return true;
            }
            if (group.empty() || group.size() > 4 ||
                !std::all_of(group.begin(), group.end(), isHexDigit)) {
                return false;
            }
            ++groups;
            if (colon == std::string_view::npos) return true;
            side.remove_prefix(colon + 1);
        }
    };
    int before = 0;
    int after = 0;
    if (!hasGap) return countGroups(text, true, before) && before == 8;
    return countGroups(text.substr(0, gap), false, before) &&
           countGroups(text.substr(gap + 2), true, after) && before + after <= 7;
}

bool isTcpDevice(std::string_view device) {
    return device.size() >= kScheme.size() &&
           std::equal(kScheme.begin(), kScheme.end(), device.begin(), [](char a, char b) {
               return a == std::tolower(static_cast<unsigned char>(b));
           });
}

TcpDeviceParse parseTcpDevice(std::string_view device) {
    if (!isTcpDevice(device)) return failed("it does not start with tcp://");
    std::string_view rest = device.substr(kScheme.size());
    if (rest.empty()) return failed("the host is missing, as in tcp://10.0.0.5:4001");

    std::string_view host;
    std::string_view port;
    if (rest.front() == '[') {
        const auto close = rest.find(']');
        if (close == std::string_view::npos) {
            return failed("the IPv6 address has no closing bracket, as in tcp://[::1]:4001");
        }
        host = rest.substr(1, close - 1);
        if (!isIpv6Address(host))
            return failed("[" + std::string(host) + "] is not an IPv6 address");
        const std::string_view after = rest.substr(close + 1);
        if (after.empty()) return failed("the port is missing, as in tcp://[::1]:4001");
        if (after.front() != ':') return failed("the port must follow the address after a colon");
        port = after.substr(1);
    } else {
        const auto colon = rest.rfind(':');
        if (colon == std::string_view::npos) {
            return failed("the port is missing, as in tcp://" + std::string(rest) + ":4001");
        }
        host = rest.substr(0, colon);
        port = rest.substr(colon + 1);
        if (host.find(':') != std::string_view::npos) {
            return failed("an IPv6 address goes in brackets, as in tcp://[::1]:4001");
        }
        if (host.empty()) return failed("the host is missing, as in tcp://10.0.0.5:4001");
        // Digits and dots only can be meant as nothing but an IPv4 address.
        const bool numeric =
            std::all_of(host.begin(), host.end(), [](char c) { return isDigit(c) || c == '.'; });
        if (numeric && !isIpv4Address(host)) {
            return failed(std::string(host) + " is not an IPv4 address");
        }
        if (!numeric && !isHostName(host)) {
            return failed("\"" + std::string(host) + "\" is not a host name");
        }
    }
    const auto number = decimal(port, 1, kHighestPort, 5);
    if (!number) return failed("the port must be a number from 1 to 65535");
    return {TcpDevice{std::string(host), *number}, {}};
}

}  // namespace zoma
