// Parsing and help of zoma-ctl's options, as tables of flags and valued options.
#include "ctl/CtlOptions.h"

#include <cstdlib>
#include <optional>
#include <string_view>

namespace zoma::ctl {

namespace {

// An hour: longer waits are typing mistakes, not projectors.
constexpr long kMaxTimeoutMs = 3600000;
constexpr long kMaxRepeat = 100000;

// Plain decimal digits only: no sign, no blanks (strtol would skip leading ones), no hex.
std::optional<long> parseCount(const std::string& text, long min, long max) {
    constexpr std::size_t kMaxDigits = 9;
    if (text.empty() || text.size() > kMaxDigits) return std::nullopt;
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < min || value > max) return std::nullopt;
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
    {"--json", &CtlOptions::json}, {"--value", &CtlOptions::value},
    {"--list", &CtlOptions::list}, {"--help", &CtlOptions::help},
    {"-h", &CtlOptions::help},     {"--version", &CtlOptions::version},
};

template <typename Row, std::size_t N>
const Row* named(const Row (&table)[N], std::string_view name) {
    for (const Row& row : table) {
        if (row.name == name) return &row;
    }
    return nullptr;
}

constexpr const char* kSeeHelp = " (zoma-ctl --help shows the options, --list the commands)";

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
    if (o.json && o.value) o.error = "--json and --value are two forms of output: choose one";
    return o;
}

std::string ctlHelp() {
    return "Usage: zoma-ctl [OPTIONS] COMMAND...\n"
           "Sends commands to a ZOMA LT540/LT47 projector on its RS-232 line, one after another,\n"
           "waits for each reply and prints one line per command: \"ok\", \"refused\", \"no "
           "reply\",\n"
           "or the words of a read-out (\"Stand by\"). With more than one line, each starts with\n"
           "the command's name and \": \".\n"
           "\n"
           "Options:\n"
           "  --port PORT     COM1 (default) or COM2 as the panel maps them (ZOMA_COM1 and\n"
           "                  ZOMA_COM2, then com1 and com2 in ~/.config/zoma/zoma-panel.conf,\n"
           "                  then /dev/ttyS0 and /dev/ttyS1), or a device such as /dev/ttyUSB0,\n"
           "                  or tcp://HOST:PORT for a serial device server's raw TCP port\n"
           "  --speed BAUD    19200 (default) or 9600; 8 data bits, no parity, 1 stop bit\n"
           "  --timeout MS    how long to wait for a reply (default 500, the panel's reply "
           "window)\n"
           "  --repeat N      send a held button's frame N times at the button's own pace\n"
           "  --json          one JSON object per command instead of the words, with the\n"
           "                  read-out's value (\"value\": 123, \"standby\", {\"s1\":31.0,...})\n"
           "  --value         a read-out's bare value instead of its words (lamp-time: 123;\n"
           "                  temp: 31.0 33.5 30.5); operations print ok, refused or no reply\n"
           "  --list          every command with its code and what it does\n"
           "  --help          this text\n"
           "  --version       the version number\n"
           "\n"
           "Exit status: 0 when every command was answered, 1 when one was refused, not answered,\n"
           "answered with a reply that says nothing known or too long, or not sent because the\n"
           "line was lost, or when standard output cannot be written; 2 for a usage error\n"
           "(nothing is sent), 3 when the port cannot be opened.\n";
}

}  // namespace zoma::ctl
