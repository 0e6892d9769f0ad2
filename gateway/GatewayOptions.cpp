// zoma-gateway's options as one table, read by the shared parser, with the network rules.
#include "gateway/GatewayOptions.h"

#include "platform/CommandLine.h"

namespace zoma::gateway {

namespace {

constexpr long long kMaxPollSeconds = 86400;

bool setListen(std::optional<ListenAddress>& field, const std::string& value) {
    const ListenAddressParse parsed = parseListenAddress(value);
    if (parsed.listen) field = parsed.listen;
    return parsed.listen.has_value();
}

bool setPjlink(GatewayOptions& o, const std::string& value) {
    std::optional<ListenAddress> listen;
    if (!setListen(listen, value)) return false;
    o.pjlink = *listen;
    return true;
}

bool setRaw(GatewayOptions& o, const std::string& value) {
    return setListen(o.raw, value);
}

bool setMetrics(GatewayOptions& o, const std::string& value) {
    return setListen(o.metrics, value);
}

bool setPoll(GatewayOptions& o, const std::string& value) {
    const auto seconds = parseDecimal(value, 0, kMaxPollSeconds);
    if (seconds) o.pollSeconds = static_cast<int>(*seconds);
    return seconds.has_value();
}

// Printable, without control characters: a name goes into PJLink's response lines.
bool printable(const std::string& text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) return false;
    }
    return true;
}

bool setName(GatewayOptions& o, const std::string& value) {
    o.name = value;
    return !value.empty() && value.size() <= kMaxNameBytes && printable(value);
}

bool setModel(GatewayOptions& o, const std::string& value) {
    o.model = value;
    return !value.empty() && value.size() <= kMaxModelBytes && printable(value);
}

// The help's descriptions start past the widest "  --password-file FILE".
constexpr std::size_t kHelpColumn = 26;

// clang-format off
constexpr OptionRow<GatewayOptions> kOptions[] = {
    {"--port", OptionKind::Value, "PORT", setText<&GatewayOptions::port>,
        "the projector's line: COM1 (default) or COM2 as the panel maps\n"
        "them, or a device such as /dev/ttyUSB0 or tcp://HOST:PORT\n"},
    {"--speed", OptionKind::Value, "BAUD", setLineSpeed<&GatewayOptions::speed>,
        "19200 (default) or 9600; 8 data bits, no parity, 1 stop bit\n"},
    {"--pjlink", OptionKind::Value, "[ADDRESS:]PORT", setPjlink,
        "where PJLink is served (default 127.0.0.1:4352; port 0 picks a\n"
        "free one); another address than loopback needs --password-file\n"},
    {"--raw", OptionKind::Value, "[ADDRESS:]PORT", setRaw,
        "a raw TCP port as a serial device server's, for zoma-panel and\n"
        "zoma-ctl; loopback only, as it has no password (off unless given)\n"},
    {"--metrics", OptionKind::Value, "[ADDRESS:]PORT", setMetrics,
        "Prometheus metrics at /metrics (off unless given); another address\n"
        "than loopback needs --password-file (basic authentication, user zoma)\n"},
    {"--poll", OptionKind::Value, "SECONDS", setPoll,
        "read the projector's state every SECONDS for the metrics\n"
        "(default 60 with --metrics; 0 turns polling off)\n"},
    {"--password-file", OptionKind::Value, "FILE", setText<&GatewayOptions::passwordFile>,
        "PJLink's password (and the metrics'): one line of 1 to 32\n"
        "printable characters, in a file only its owner may read\n"},
    {"--name", OptionKind::Value, "TEXT", setName,
        "what NAME ? answers (default: the host's name; at most 64 bytes)\n"},
    {"--model", OptionKind::Value, "TEXT", setModel,
        "what INF2 ? answers (default LT540; at most 32 bytes)\n"},
    {"--verbose", OptionKind::Flag, "", setFlag<&GatewayOptions::verbose>,
        "a log line for every request, not only for connections and failures\n"},
    {"--help", OptionKind::Flag, "", setFlag<&GatewayOptions::help>,
        "this text\n"},
    {"-h", OptionKind::Flag, "", setFlag<&GatewayOptions::help>},
    {"--version", OptionKind::Flag, "", setFlag<&GatewayOptions::version>,
        "the version number\n"},
};
// clang-format on

}  // namespace

GatewayOptions parseGatewayOptions(const std::vector<std::string>& arguments) {
    GatewayOptions o;
    const CommandLine line = parseCommandLine(kOptions, arguments, o);
    if (!line.error.empty()) {
        o.error = line.error;
        return o;
    }
    if (o.help || o.version) return o;
    const bool password = !o.passwordFile.empty();
    if (!isLoopback(o.pjlink.address) && !password) {
        o.error = "--pjlink on " + o.pjlink.address +
                  " needs --password-file: nothing is opened to a network without a password";
    } else if (o.metrics && !isLoopback(o.metrics->address) && !password) {
        o.error = "--metrics on " + o.metrics->address +
                  " needs --password-file: nothing is opened to a network without a password";
    } else if (o.raw && !isLoopback(o.raw->address)) {
        o.error =
            "--raw listens on this machine only (127.0.0.1 or [::1]), as the raw port has "
            "no password: reach it from elsewhere through an SSH tunnel";
    }
    return o;
}

std::string gatewayHelp() {
    // clang-format off
    return "Usage: zoma-gateway [OPTIONS]\n"
           "Owns a ZOMA LT540/LT47 projector's RS-232 line and serves it on the network: as a\n"
           "PJLink class 1 device to room controllers, as a raw TCP port to zoma-panel and\n"
           "zoma-ctl, and as metrics to Prometheus; every request goes through one queue on\n"
           "the line. Listeners are printed on standard output (\"pjlink 127.0.0.1:4352\"),\n"
           "then connections and failures are logged on standard error.\n"
           "\n"
           "Options:\n" +
           optionHelp(kOptions, kHelpColumn) +
           "\n"
           "Exit status: 0 when stopped (SIGTERM, SIGINT), 1 when a port cannot be listened on,\n"
           "2 for a wrong command line or password file.\n";
    // clang-format on
}

}  // namespace zoma::gateway
