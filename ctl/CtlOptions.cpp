// Parsing and help of zoma-ctl's options, as tables of flags and valued options.
#include "ctl/CtlOptions.h"

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace zoma::ctl {

namespace {

// An hour: longer waits are typing mistakes, not projectors.
constexpr long kMaxTimeoutMs = 3600000;
constexpr long kMaxRepeat = 100000;

std::optional<long> parseCount(const std::string& text, long min, long max) {
    if (text.empty() || text[0] == '-' || text[0] == '+') return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < min || value > max) return std::nullopt;
    return value;
}

struct ValuedOption {
    std::string_view name;
    // Returns false when the value is bad.
    bool (*apply)(CtlOptions& o, const std::string& value);
};

constexpr ValuedOption kValuedOptions[] = {
    {"--port",
     [](CtlOptions& o, const std::string& value) {
         o.port = value;
         return !value.empty();
     }},
    {"--speed",
     [](CtlOptions& o, const std::string& value) {
         if (value != "19200" && value != "9600") return false;
         o.speed = std::atoi(value.c_str());
         return true;
     }},
    {"--timeout",
     [](CtlOptions& o, const std::string& value) {
         const auto ms = parseCount(value, 1, kMaxTimeoutMs);
         if (ms) o.timeoutMs = static_cast<int>(*ms);
         return ms.has_value();
     }},
    {"--repeat",
     [](CtlOptions& o, const std::string& value) {
         const auto count = parseCount(value, 1, kMaxRepeat);
         if (count) o.repeat = static_cast<int>(*count);
         return count.has_value();
     }},
};

struct Flag {
    std::string_view name;
    bool CtlOptions::*field;
};

constexpr Flag kFlags[] = {
    {"--json", &CtlOptions::json},       {"--list", &CtlOptions::list},
    {"--help", &CtlOptions::help},       {"-h", &CtlOptions::help},
    {"--version", &CtlOptions::version},
};

template <typename Row, std::size_t N>
const Row* named(const Row (&table)[N], std::string_view name) {
    for (const Row& row : table) {
        if (row.name == name) return &row;
    }
    return nullptr;
}

constexpr const char* kSeeHelp = " (zoma-ctl --help shows the options, --list the commands)";

// The ports as this platform maps them (platform/PortNaming.h): Windows has no variables or
// settings file for them, and COM1 and COM2 are the system's own.
#ifdef _WIN32
constexpr const char* kPortHelp =
    "  --port PORT     COM1 (default), COM2, or another port such as COM3\n";
#else
constexpr const char* kPortHelp =
    "  --port PORT     COM1 (default) or COM2 as the panel maps them (ZOMA_COM1 and\n"
    "                  ZOMA_COM2, then com1 and com2 in ~/.config/zoma/zoma-panel.conf,\n"
    "                  then /dev/ttyS0 and /dev/ttyS1), or a device such as /dev/ttyUSB0\n";
#endif

}  // namespace

CtlOptions parseCtlOptions(const std::vector<std::string>& arguments) {
    CtlOptions o;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.rfind("-", 0) != 0 || argument == "-") {
            o.commands.push_back(argument);
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        if (const Flag* flag = named(kFlags, name)) {
            if (equals != std::string::npos) {
                o.error = "option " + name + " takes no value";
                return o;
            }
            o.*(flag->field) = true;
            continue;
        }
        const ValuedOption* option = named(kValuedOptions, name);
        if (option == nullptr) {
            o.error = "unknown option '" + name + "'" + kSeeHelp;
            return o;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            o.error = "option " + name + " needs a value" + kSeeHelp;
            return o;
        }
        if (!option->apply(o, value)) {
            o.error = "bad value for " + name + ": '" + value + "'" + kSeeHelp;
            return o;
        }
    }
    return o;
}

std::string ctlHelp() {
    const std::string usage =
        "Usage: zoma-ctl [OPTIONS] COMMAND...\n"
        "Sends commands to a ZOMA LT540/LT47 projector on its RS-232 line, one after another,\n"
        "waits for each reply and prints one line per command: \"ok\", \"refused\", \"no reply\",\n"
        "or the words of a read-out (\"Stand by\"). With more than one line, each starts with\n"
        "the command's name and \": \".\n"
        "\n"
        "Options:\n";
    return usage + kPortHelp +
           "  --speed BAUD    19200 (default) or 9600; 8 data bits, no parity, 1 stop bit\n"
           "  --timeout MS    how long to wait for a reply (default 500, the panel's reply "
           "window)\n"
           "  --repeat N      send a held button's frame N times at the button's own pace\n"
           "  --json          one JSON object per command instead of the words\n"
           "  --list          every command with its code and what it does\n"
           "  --help          this text\n"
           "  --version       the version number\n"
           "\n"
           "Exit status: 0 when every command was answered, 1 when one was refused, not answered\n"
           "or answered with a reply that says nothing known, 2 for a usage error (nothing is\n"
           "sent), 3 when the port cannot be opened.\n";
}

}  // namespace zoma::ctl
