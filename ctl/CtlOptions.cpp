// zoma-ctl's options as one table, read by the shared command-line parser and printed as help.
#include "ctl/CtlOptions.h"

#include "platform/CommandLine.h"

namespace zoma::ctl {

namespace {

// An hour: longer waits are typing mistakes, not projectors.
constexpr long long kMaxTimeoutMs = 3600000;
constexpr long long kMaxRepeat = 100000;

bool setTimeout(CtlOptions& o, const std::string& value) {
    const auto ms = parseDecimal(value, 1, kMaxTimeoutMs);
    if (ms) o.timeoutMs = static_cast<int>(*ms);
    return ms.has_value();
}

bool setRepeat(CtlOptions& o, const std::string& value) {
    const auto count = parseDecimal(value, 1, kMaxRepeat);
    if (count) o.repeat = static_cast<int>(*count);
    return count.has_value();
}

// The help's descriptions start past the widest "  --timeout MS".
constexpr std::size_t kHelpColumn = 18;

// The ports as this platform maps them (platform/PortNaming.h): Windows has no variables or
// settings file for them, and COM1 and COM2 are the system's own.
// clang-format off
#ifdef _WIN32
constexpr std::string_view kPortHelp =
    "COM1 (default), COM2, or another port such as COM3,\n"
    "or tcp://HOST:PORT for a serial device server's raw TCP port\n";
#else
constexpr std::string_view kPortHelp =
    "COM1 (default) or COM2 as the panel maps them (ZOMA_COM1 and\n"
    "ZOMA_COM2, then com1 and com2 in ~/.config/zoma/zoma-panel.conf,\n"
    "then /dev/ttyS0 and /dev/ttyS1), or a device such as /dev/ttyUSB0,\n"
    "or tcp://HOST:PORT for a serial device server's raw TCP port\n";
#endif
// clang-format on

// clang-format off
constexpr OptionRow<CtlOptions> kOptions[] = {
    {"--port", OptionKind::Value, "PORT", setText<&CtlOptions::port>, kPortHelp},
    {"--speed", OptionKind::Value, "BAUD", setLineSpeed<&CtlOptions::speed>,
        "19200 (default) or 9600; 8 data bits, no parity, 1 stop bit\n"},
    {"--timeout", OptionKind::Value, "MS", setTimeout,
        "how long to wait for a reply (default 500, the panel's reply window)\n"},
    {"--repeat", OptionKind::Value, "N", setRepeat,
        "send a held button's frame N times at the button's own pace\n"},
    {"--json", OptionKind::Flag, "", setFlag<&CtlOptions::json>,
        "one JSON object per command instead of the words, with the\n"
        "read-out's value (\"value\": 123, \"standby\", {\"s1\":31.0,...})\n"},
    {"--value", OptionKind::Flag, "", setFlag<&CtlOptions::value>,
        "a read-out's bare value instead of its words (lamp-time: 123;\n"
        "temp: 31.0 33.5 30.5); operations print ok, refused or no reply\n"},
    {"--list", OptionKind::Flag, "", setFlag<&CtlOptions::list>,
        "every command with its code and what it does\n"},
    {"--help", OptionKind::Flag, "", setFlag<&CtlOptions::help>,
        "this text\n"},
    {"-h", OptionKind::Flag, "", setFlag<&CtlOptions::help>},
    {"--version", OptionKind::Flag, "", setFlag<&CtlOptions::version>,
        "the version number\n"},
};
// clang-format on

constexpr const char* kSeeHelp = " (zoma-ctl --help shows the options, --list the commands)";

}  // namespace

CtlOptions parseCtlOptions(const std::vector<std::string>& arguments) {
    CtlOptions o;
    CommandLine line = parseCommandLine(kOptions, arguments, o, Positional::Kept);
    o.commands = std::move(line.positional);
    if (!line.error.empty()) {
        o.error = line.error + kSeeHelp;
    } else if (o.json && o.value) {
        o.error = "--json and --value are two forms of output: choose one";
    }
    return o;
}

std::string ctlHelp() {
    // clang-format off
    return "Usage: zoma-ctl [OPTIONS] COMMAND...\n"
           "Sends commands to a ZOMA LT540/LT47 projector on its RS-232 line, one after another,\n"
           "waits for each reply and prints one line per command: \"ok\", \"refused\", \"no reply\",\n"
           "or the words of a read-out (\"Stand by\"). With more than one line, each starts with\n"
           "the command's name and \": \".\n"
           "\n"
           "Options:\n" +
           optionHelp(kOptions, kHelpColumn) +
           "\n"
           "Exit status: 0 when every command was answered, 1 when one was refused, not answered,\n"
           "answered with a reply that says nothing known or too long, or not sent because the\n"
           "line was lost, or when standard output cannot be written; 2 for a usage error\n"
           "(nothing is sent), 3 when the port cannot be opened.\n";
    // clang-format on
}

}  // namespace zoma::ctl
