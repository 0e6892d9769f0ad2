// zoma-gateway's command line: the line, the listeners, the password, the names, the polls.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gateway/ListenAddress.h"

namespace zoma::gateway {

// PJLink's own port.
constexpr int kPjlinkPort = 4352;
constexpr int kDefaultPollSeconds = 60;
constexpr std::size_t kMaxNameBytes = 64;
constexpr std::size_t kMaxModelBytes = 32;

struct GatewayOptions {
    // "COM1", "COM2" or a device, as zoma-ctl's --port.
    std::string port = "COM1";
    int speed = 19200;
    ListenAddress pjlink{kLoopback, kPjlinkPort};
    std::optional<ListenAddress> raw;
    std::optional<ListenAddress> metrics;
    // Seconds between polls; unset: 60 with --metrics, none without. 0: none.
    std::optional<int> pollSeconds;
    std::string passwordFile;
    // Empty: the host's name.
    std::string name;
    std::string model = "LT540";
    bool verbose = false;
    bool help = false;
    bool version = false;
    // A usage error; empty when the line is good.
    std::string error;

    int pollInterval() const { return pollSeconds.value_or(metrics ? kDefaultPollSeconds : 0); }
};

// Reads the arguments after the program's name, and refuses what would open the projector to a
// network without a password: PJLink or the metrics on another address than loopback without
// --password-file, and the raw port (which has no password) anywhere but loopback.
GatewayOptions parseGatewayOptions(const std::vector<std::string>& arguments);

std::string gatewayHelp();

}  // namespace zoma::gateway
