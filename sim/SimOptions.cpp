// The simulator's options as one table, read by the shared command-line parser and printed as
// help.
#include "sim/SimOptions.h"

#include <arpa/inet.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/CommandLine.h"

namespace zoma::sim {

namespace {

std::optional<long long> parseInteger(const std::string& text, long long min, long long max) {
    return parseDecimal(text, min, max);
}

// Rates may be fractions ("0.5" bytes per second): digits with at most one point, nothing else.
std::optional<double> parseRate(const std::string& text) {
    const auto point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? "1" : text.substr(point + 1);
    const auto digits = [](const std::string& part) {
        return !part.empty() && part.find_first_not_of("0123456789") == std::string::npos;
    };
    if (!digits(whole) || !digits(fraction) || text.size() > 18) return std::nullopt;
    const double value = std::strtod(text.c_str(), nullptr);
    if (!std::isfinite(value) || value <= 0 || value > 1e9) return std::nullopt;
    return value;
}

// Host names are not looked up: the address to listen on is given as it is.
bool isAddressLiteral(const std::string& text) {
    unsigned char address[sizeof(in6_addr)];
    return ::inet_pton(AF_INET, text.c_str(), address) == 1 ||
           ::inet_pton(AF_INET6, text.c_str(), address) == 1;
}

// Options that only make sense on one kind of line; returns an error text or nothing.
std::string checkLineKind(const SimOptions& o) {
    if (o.tcpPort) {
        if (!o.linkPath.empty()) return "--link names a pseudo-terminal and does not go with --tcp";
        return {};
    }
    if (o.listenAddress) return "--listen needs --tcp";
    if (o.dropAfter > 0) return "--drop-after needs --tcp";
    return {};
}

constexpr long long kMaxMs = 24LL * 3600 * 1000;

// Each row's apply takes its value into one setting; false when the value is bad.

bool setLink(ParsedOptions& p, const std::string& value) {
    p.options.linkPath = value;
    return !value.empty();
}

bool setTcp(ParsedOptions& p, const std::string& value) {
    const auto port = parseInteger(value, 0, 65535);
    if (port) p.options.tcpPort = static_cast<int>(*port);
    return port.has_value();
}

bool setListen(ParsedOptions& p, const std::string& value) {
    p.options.listenAddress = value;
    return isAddressLiteral(value);
}

bool setDropAfter(ParsedOptions& p, const std::string& value) {
    const auto frames = parseInteger(value, 1, std::numeric_limits<int>::max());
    if (frames) p.options.dropAfter = static_cast<int>(*frames);
    return frames.has_value();
}

bool setState(ParsedOptions& p, const std::string& value) {
    const auto state = powerStateNamed(value);
    if (state) p.options.model.startState = *state;
    return state.has_value();
}

bool setLampHours(ParsedOptions& p, const std::string& value) {
    const auto hours = parseInteger(value, 0, 9999);
    if (hours) p.options.model.lampHours = static_cast<int>(*hours);
    return hours.has_value();
}

bool setOrientation(ParsedOptions& p, const std::string& value) {
    const auto orientation = orientationNamed(value);
    if (orientation) p.options.model.orientation = *orientation;
    return orientation.has_value();
}

bool setPhaseMs(ParsedOptions& p, const std::string& value) {
    const auto ms = parseInteger(value, 0, kMaxMs);
    if (ms) p.options.model.countDownMs = p.options.model.coolingMs = *ms;
    return ms.has_value();
}

bool setDelay(ParsedOptions& p, const std::string& value) {
    const auto ms = parseInteger(value, 0, kMaxMs);
    if (ms) p.options.timing.delayMs = *ms;
    return ms.has_value();
}

bool setSplit(ParsedOptions& p, const std::string& value) {
    const auto size = parseInteger(value, 1, 4096);
    if (size) p.options.timing.pieceSize = static_cast<std::size_t>(*size);
    return size.has_value();
}

bool setGap(ParsedOptions& p, const std::string& value) {
    const auto ms = parseInteger(value, 0, kMaxMs);
    if (ms) p.options.timing.gapMs = *ms;
    return ms.has_value();
}

bool setSilent(ParsedOptions& p, const std::string&) {
    p.options.timing.silent = true;
    return true;
}

bool setNoise(ParsedOptions& p, const std::string& value) {
    p.options.noisePerSecond = parseRate(value);
    return p.options.noisePerSecond.has_value();
}

bool setSeed(ParsedOptions& p, const std::string& value) {
    const auto seed = parseInteger(value, 0, std::numeric_limits<std::uint32_t>::max());
    if (seed) p.options.seed = static_cast<std::uint32_t>(*seed);
    return seed.has_value();
}

bool setStream(ParsedOptions& p, const std::string& value) {
    p.options.stream = true;
    p.options.streamPerSecond.reset();
    if (value == "max") return true;
    p.options.streamPerSecond = parseRate(value);
    return p.options.streamPerSecond.has_value();
}

bool setLog(ParsedOptions& p, const std::string& value) {
    p.options.logPath = value;
    return !value.empty();
}

// The help's descriptions start past the widest "  --listen ADDRESS".
constexpr std::size_t kHelpColumn = 22;

// clang-format off
constexpr OptionRow<ParsedOptions> kOptions[] = {
    {"--link", OptionKind::Value, "PATH", setLink,
        "also make PATH a symbolic link to the terminal (an existing link\n"
        "is replaced); removed again at exit\n"},
    {"--tcp", OptionKind::Value, "PORT", setTcp,
        "serve on TCP port PORT instead (0: any free port); bytes pass\n"
        "unchanged both ways; one client at a time, and a further\n"
        "connection meanwhile is closed at once\n"},
    {"--listen", OptionKind::Value, "ADDRESS", setListen,
        "with --tcp: the IPv4 or IPv6 address to listen on (default\n"
        "127.0.0.1, this machine only)\n"},
    {"--drop-after", OptionKind::Value, "N", setDropAfter,
        "with --tcp: close each connection as soon as its N-th frame has\n"
        "arrived (the frame takes effect, its reply is not sent)\n"},
    // The help lists the states after this row, from the table of power states.
    {"--state", OptionKind::Value, "NAME", setState,
        "start state (default standby):\n"},
    {"--lamp-hours", OptionKind::Value, "N", setLampHours,
        "lamp hours at start, 0-9999 (default 123); grows while on\n"},
    {"--orientation", OptionKind::Value, "O", setOrientation,
        "normal | top-bottom | left-right | both (default normal)\n"},
    {"--phase-ms", OptionKind::Value, "N", setPhaseMs,
        "length of count down and of cooling down (default 5000 and 8000)\n"},
    {"--delay", OptionKind::Value, "MS", setDelay,
        "wait MS after a frame's CR before its reply\n"},
    {"--split", OptionKind::Value, "N", setSplit,
        "send replies in pieces of N bytes ...\n"},
    {"--gap", OptionKind::Value, "MS", setGap,
        "... MS apart (default 0)\n"},
    {"--silent", OptionKind::Flag, "", setSilent,
        "never reply (commands still take effect)\n"},
    {"--noise", OptionKind::Value, "RATE", setNoise,
        "send RATE unsolicited bytes per second (NUL, control characters,\n"
        "bytes above 127), drawn from a PRNG\n"},
    {"--seed", OptionKind::Value, "N", setSeed,
        "seed of that PRNG (default 1)\n"},
    {"--stream", OptionKind::Value, "BPS|max", setStream,
        "send the bytes 0-255 over and over, BPS per second, or as fast\n"
        "as the line takes them\n"},
    {"--log", OptionKind::Value, "FILE", setLog,
        "log every frame received and reply sent, with milliseconds since\n"
        "start (default: standard error)\n"},
    {"--help", OptionKind::Flag, "", setFlag<&ParsedOptions::help>,
        "this text\n"},
    {"-h", OptionKind::Flag, "", setFlag<&ParsedOptions::help>},
};
// clang-format on

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    parsed.error = parseCommandLine(kOptions, args, parsed).error;
    if (parsed.error.empty()) parsed.error = checkLineKind(parsed.options);
    return parsed;
}

std::string helpText(const std::string& program) {
    std::string options;
    for (const OptionRow<ParsedOptions>& row : kOptions) {
        options += optionHelpLines(row.name, row.valueName, row.help, kHelpColumn);
        if (row.name != "--state") continue;
        for (const PowerRow& state : kPowerRows) {
            options += std::string(kHelpColumn, ' ') + std::string(state.name) + " (\"" +
                       std::string(state.reply) + "\")\n";
        }
    }
    // clang-format off
    return "Usage: " + program + " [options]\n"
           "Simulates a ZOMA LT540/LT47 projector on a pseudo-terminal, or with --tcp on a TCP port\n"
           "as a serial device server offers the projector's line in raw mode. The first line of\n"
           "standard output is the path of the terminal to open (8N1, any speed), or\n"
           "tcp://HOST:PORT; the program then answers frames (three characters and CR; LF is\n"
           "ignored) until SIGINT or SIGTERM, and keeps serving when the panel closes the line and\n"
           "opens it again. The projector keeps its state across reopens; replies not yet sent\n"
           "are dropped.\n"
           "\n"
           "Replies: known operation codes get ACK (6); unknown codes get NAK (21); a CR after fewer\n"
           "than three characters gets nothing. Queries: CR0 power (two digits), CR1 input (0-2),\n"
           "CR3 lamp hours (four digits), CR4 orientation (two digits), CR6 temperatures\n"
           "(\"+38.5 +45.0 +41.0\"), each followed by CR.\n"
           "\n"
           "Options:\n" +
           options +
           "Options take their value as the next argument or after '='. Replies wait for the\n"
           "pieces of the previous reply; noise and stream bytes go out between them. Output the\n"
           "panel does not read is dropped beyond 64 KiB, replies excepted.\n";
    // clang-format on
}

}  // namespace zoma::sim
