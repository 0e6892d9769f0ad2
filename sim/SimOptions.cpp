// Parsing and help of the simulator's command line.
#include "sim/SimOptions.h"

#include <arpa/inet.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace zoma::sim {

namespace {

std::optional<long long> parseInteger(const std::string& text, long long min, long long max) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < min || value > max) return std::nullopt;
    return value;
}

std::optional<double> parseRate(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value) || value <= 0 || value > 1e9) return std::nullopt;
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

// An option that takes a value; `apply` returns false when the value is bad.
struct ValuedOption {
    std::string_view name;
    bool (*apply)(SimOptions& o, const std::string& value);
};

constexpr ValuedOption kValuedOptions[] = {
    {"--link",
     [](SimOptions& o, const std::string& value) {
         o.linkPath = value;
         return !value.empty();
     }},
    {"--tcp",
     [](SimOptions& o, const std::string& value) {
         const auto port = parseInteger(value, 0, 65535);
         if (port) o.tcpPort = static_cast<int>(*port);
         return port.has_value();
     }},
    {"--listen",
     [](SimOptions& o, const std::string& value) {
         o.listenAddress = value;
         return isAddressLiteral(value);
     }},
    {"--drop-after",
     [](SimOptions& o, const std::string& value) {
         const auto frames = parseInteger(value, 1, std::numeric_limits<int>::max());
         if (frames) o.dropAfter = static_cast<int>(*frames);
         return frames.has_value();
     }},
    {"--log",
     [](SimOptions& o, const std::string& value) {
         o.logPath = value;
         return !value.empty();
     }},
    {"--delay",
     [](SimOptions& o, const std::string& value) {
         const auto ms = parseInteger(value, 0, kMaxMs);
         if (ms) o.timing.delayMs = *ms;
         return ms.has_value();
     }},
    {"--gap",
     [](SimOptions& o, const std::string& value) {
         const auto ms = parseInteger(value, 0, kMaxMs);
         if (ms) o.timing.gapMs = *ms;
         return ms.has_value();
     }},
    {"--phase-ms",
     [](SimOptions& o, const std::string& value) {
         const auto ms = parseInteger(value, 0, kMaxMs);
         if (ms) o.model.countDownMs = o.model.coolingMs = *ms;
         return ms.has_value();
     }},
    {"--split",
     [](SimOptions& o, const std::string& value) {
         const auto size = parseInteger(value, 1, 4096);
         if (size) o.timing.pieceSize = static_cast<std::size_t>(*size);
         return size.has_value();
     }},
    {"--noise",
     [](SimOptions& o, const std::string& value) {
         o.noisePerSecond = parseRate(value);
         return o.noisePerSecond.has_value();
     }},
    {"--seed",
     [](SimOptions& o, const std::string& value) {
         const auto seed = parseInteger(value, 0, std::numeric_limits<std::uint32_t>::max());
         if (seed) o.seed = static_cast<std::uint32_t>(*seed);
         return seed.has_value();
     }},
    {"--stream",
     [](SimOptions& o, const std::string& value) {
         o.stream = true;
         o.streamPerSecond.reset();
         if (value == "max") return true;
         o.streamPerSecond = parseRate(value);
         return o.streamPerSecond.has_value();
     }},
    {"--state",
     [](SimOptions& o, const std::string& value) {
         const auto state = powerStateNamed(value);
         if (state) o.model.startState = *state;
         return state.has_value();
     }},
    {"--lamp-hours",
     [](SimOptions& o, const std::string& value) {
         const auto hours = parseInteger(value, 0, 9999);
         if (hours) o.model.lampHours = static_cast<int>(*hours);
         return hours.has_value();
     }},
    {"--orientation",
     [](SimOptions& o, const std::string& value) {
         const auto orientation = orientationNamed(value);
         if (orientation) o.model.orientation = *orientation;
         return orientation.has_value();
     }},
};

// Options that stand alone.
struct Flag {
    std::string_view name;
    void (*set)(ParsedOptions& parsed);
};

constexpr Flag kFlags[] = {
    {"--help", [](ParsedOptions& parsed) { parsed.help = true; }},
    {"-h", [](ParsedOptions& parsed) { parsed.help = true; }},
    {"--silent", [](ParsedOptions& parsed) { parsed.options.timing.silent = true; }},
};

const ValuedOption* findValued(std::string_view name) {
    for (const ValuedOption& option : kValuedOptions) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

const Flag* findFlag(std::string_view name) {
    for (const Flag& flag : kFlags) {
        if (flag.name == name) return &flag;
    }
    return nullptr;
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (const Flag* flag = findFlag(name)) {
            if (equals != std::string::npos) {
                parsed.error = name + " takes no value";
                return parsed;
            }
            flag->set(parsed);
            continue;
        }
        // The name first: an unknown option is reported as such, wherever it stands.
        const ValuedOption* option = findValued(name);
        if (option == nullptr) {
            parsed.error =
                arg.rfind("-", 0) == 0 ? "unknown option " + name : "unexpected argument " + arg;
            return parsed;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            parsed.error = "missing value for " + name;
            return parsed;
        }
        if (!option->apply(parsed.options, value)) {
            parsed.error = "bad value for " + name + ": '" + value + "'";
            return parsed;
        }
    }
    parsed.error = checkLineKind(parsed.options);
    return parsed;
}

std::string helpText(const std::string& program) {
    std::string states;
    for (const PowerRow& row : kPowerRows) {
        states += "                      ";
        states += row.name;
        states += " (\"";
        states += row.reply;
        states += "\")\n";
    }
    return "Usage: " + program +
           " [options]\n"
           "Simulates a ZOMA LT540/LT47 projector on a pseudo-terminal, or with --tcp on a TCP "
           "port\n"
           "as a serial device server offers the projector's line in raw mode. The first line "
           "of\n"
           "standard output is the path of the terminal to open (8N1, any speed), or\n"
           "tcp://HOST:PORT; the program then answers frames (three characters and CR; LF is\n"
           "ignored) until SIGINT or SIGTERM, and keeps serving when the panel closes the line "
           "and\n"
           "opens it again. The projector keeps its state across reopens; replies not yet sent\n"
           "are dropped.\n"
           "\n"
           "Replies: known operation codes get ACK (6); unknown codes get NAK (21); a CR after "
           "fewer\n"
           "than three characters gets nothing. Queries: CR0 power (two digits), CR1 input (0-2),\n"
           "CR3 lamp hours (four digits), CR4 orientation (two digits), CR6 temperatures\n"
           "(\"+38.5 +45.0 +41.0\"), each followed by CR.\n"
           "\n"
           "Options:\n"
           "  --link PATH         also make PATH a symbolic link to the terminal (an existing "
           "link\n"
           "                      is replaced); removed again at exit\n"
           "  --tcp PORT          serve on TCP port PORT instead (0: any free port); bytes pass\n"
           "                      unchanged both ways; one client at a time, and a further\n"
           "                      connection meanwhile is closed at once\n"
           "  --listen ADDRESS    with --tcp: the IPv4 or IPv6 address to listen on (default\n"
           "                      127.0.0.1, this machine only)\n"
           "  --drop-after N      with --tcp: close each connection as soon as its N-th frame "
           "has\n"
           "                      arrived (the frame takes effect, its reply is not sent)\n"
           "  --state NAME        start state (default standby):\n" +
           states +
           "  --lamp-hours N      lamp hours at start, 0-9999 (default 123); grows while on\n"
           "  --orientation O     normal | top-bottom | left-right | both (default normal)\n"
           "  --phase-ms N        length of count down and of cooling down (default 5000 and "
           "8000)\n"
           "  --delay MS          wait MS after a frame's CR before its reply\n"
           "  --split N           send replies in pieces of N bytes ...\n"
           "  --gap MS            ... MS apart (default 0)\n"
           "  --silent            never reply (commands still take effect)\n"
           "  --noise RATE        send RATE unsolicited bytes per second (NUL, control "
           "characters,\n"
           "                      bytes above 127), drawn from a PRNG\n"
           "  --seed N            seed of that PRNG (default 1)\n"
           "  --stream BPS|max    send the bytes 0-255 over and over, BPS per second, or as fast\n"
           "                      as the line takes them\n"
           "  --log FILE          log every frame received and reply sent, with milliseconds "
           "since\n"
           "                      start (default: standard error)\n"
           "  --help              this text\n"
           "Options take their value as the next argument or after '='. Replies wait for the\n"
           "pieces of the previous reply; noise and stream bytes go out between them. Output the\n"
           "panel does not read is dropped beyond 64 KiB, replies excepted.\n";
}

}  // namespace zoma::sim
