// Parsing and help of the simulator's command line.
#include "sim/SimOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

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

constexpr long long kMaxMs = 24LL * 3600 * 1000;

// Applies one option with its value; returns an error text or nothing.
std::string apply(SimOptions& o, const std::string& name, const std::string& value) {
    const auto bad = [&] { return "bad value for " + name + ": '" + value + "'"; };
    if (name == "--link") {
        if (value.empty()) return bad();
        o.linkPath = value;
    } else if (name == "--log") {
        if (value.empty()) return bad();
        o.logPath = value;
    } else if (name == "--delay" || name == "--gap" || name == "--phase-ms") {
        const auto ms = parseInteger(value, 0, kMaxMs);
        if (!ms) return bad();
        if (name == "--delay") o.timing.delayMs = *ms;
        if (name == "--gap") o.timing.gapMs = *ms;
        if (name == "--phase-ms") o.model.countDownMs = o.model.coolingMs = *ms;
    } else if (name == "--split") {
        const auto size = parseInteger(value, 1, 4096);
        if (!size) return bad();
        o.timing.pieceSize = static_cast<std::size_t>(*size);
    } else if (name == "--noise") {
        o.noisePerSecond = parseRate(value);
        if (!o.noisePerSecond) return bad();
    } else if (name == "--seed") {
        const auto seed = parseInteger(value, 0, std::numeric_limits<std::uint32_t>::max());
        if (!seed) return bad();
        o.seed = static_cast<std::uint32_t>(*seed);
    } else if (name == "--stream") {
        o.stream = true;
        o.streamPerSecond.reset();
        if (value != "max") {
            o.streamPerSecond = parseRate(value);
            if (!o.streamPerSecond) return bad();
        }
    } else if (name == "--state") {
        const auto state = powerStateNamed(value);
        if (!state) return bad();
        o.model.startState = *state;
    } else if (name == "--lamp-hours") {
        const auto hours = parseInteger(value, 0, 9999);
        if (!hours) return bad();
        o.model.lampHours = static_cast<int>(*hours);
    } else if (name == "--orientation") {
        const auto orientation = orientationNamed(value);
        if (!orientation) return bad();
        o.model.orientation = *orientation;
    } else {
        return "unknown option " + name;
    }
    return {};
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
            continue;
        }
        if (arg == "--silent") {
            parsed.options.timing.silent = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        std::string name = arg.substr(0, equals);
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            parsed.error =
                arg.rfind("--", 0) == 0 ? "missing value for " + arg : "unexpected argument " + arg;
            return parsed;
        }
        parsed.error = apply(parsed.options, name, value);
        if (!parsed.error.empty()) return parsed;
    }
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
           "Simulates a ZOMA LT540/LT47 projector on a pseudo-terminal. The first line of "
           "standard\n"
           "output is the path of the terminal to open (8N1, any speed); the program then answers\n"
           "frames (three characters and CR; LF is ignored) until SIGINT or SIGTERM, and keeps\n"
           "serving when the panel closes the terminal and opens it again.\n"
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
           "                      as the terminal takes them\n"
           "  --log FILE          log every frame received and reply sent, with milliseconds "
           "since\n"
           "                      start (default: standard error)\n"
           "  --help              this text\n"
           "Options take their value as the next argument or after '='. Replies wait for the\n"
           "pieces of the previous reply; noise and stream bytes go out between them. Output the\n"
           "panel does not read is dropped beyond 64 KiB, replies excepted.\n";
}

}  // namespace zoma::sim
