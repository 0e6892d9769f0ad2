// The programs' command lines through the shared parser: what a good line sets, and the one
// wording of each fault. The simulator's lines are in tests/sim/SimOptionsTest.cpp.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/PanelOptions.h"
#include "ctl/CtlOptions.h"

namespace zoma {
namespace {

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : "|") + word;
    return text;
}

// The fields that differ from a line without arguments, or the fault.
std::string outcome(const PanelOptions& o) {
    if (!o.error.empty()) return "error: " + o.error;
    std::string text;
    if (!o.devices.com1.empty()) text += " com1=" + o.devices.com1;
    if (!o.devices.com2.empty()) text += " com2=" + o.devices.com2;
    if (!o.qtArguments.empty()) text += " qt=" + joined(o.qtArguments);
    if (o.platformGiven) text += " platform";
    if (o.help) text += " help";
    if (o.version) text += " version";
    return text;
}

std::string outcome(const ctl::CtlOptions& o) {
    if (!o.error.empty()) return "error: " + o.error;
    const ctl::CtlOptions none;
    std::string text;
    if (o.port != none.port) text += " port=" + o.port;
    if (o.speed != none.speed) text += " speed=" + std::to_string(o.speed);
    if (o.timeoutMs != none.timeoutMs) text += " timeout=" + std::to_string(o.timeoutMs);
    if (o.repeat != none.repeat) text += " repeat=" + std::to_string(o.repeat);
    if (o.json) text += " json";
    if (o.value) text += " value";
    if (o.list) text += " list";
    if (o.help) text += " help";
    if (o.version) text += " version";
    if (!o.commands.empty()) text += " commands=" + joined(o.commands);
    return text;
}

enum class Program { Panel, Ctl };

TEST(CommandLineOptions, GoodLinesSetTheirFieldsAndBadOnesSayTheFaultInOneWording) {
    const std::string hint = " (zoma-ctl --help shows the options, --list the commands)";
    struct Case {
        Program program;
        std::vector<std::string> arguments;
        std::string outcome;
    };
    const auto panel = Program::Panel;
    const auto ctl = Program::Ctl;
    const Case cases[] = {
        {panel, {}, ""},
        {panel,
         {"--com1", "/dev/ttyUSB0", "--com2=tcp://10.0.0.5:4001"},
         " com1=/dev/ttyUSB0 com2=tcp://10.0.0.5:4001"},
        // A later option wins; a value is the next word whatever it starts with.
        {panel,
         {"--com1", "/dev/a", "--com1=/dev/b", "--com2", "--help"},
         " com1=/dev/b com2=--help"},
        {panel, {"-h", "--version"}, " help version"},
        // Qt's options, with one dash or two, reach Qt as written.
        {panel,
         {"-platform", "offscreen", "--style=fusion", "-reverse", "--sync=1"},
         " qt=-platform|offscreen|--style=fusion|-reverse|--sync=1 platform"},
        {panel, {"--platform=xcb", "--com1", "/dev/a"}, " com1=/dev/a qt=--platform=xcb platform"},
        {panel, {"-style", "-platform"}, " qt=-style|-platform"},
        {panel, {"--colour", "grey"}, "error: unknown option '--colour'"},
        {panel, {"--colour=grey"}, "error: unknown option '--colour'"},
        {panel, {"--port", "COM2"}, "error: unknown option '--port'"},
        {panel, {"--com2"}, "error: option --com2 needs a value"},
        {panel, {"--com1="}, "error: bad value for --com1: ''"},
        {panel, {"--help=yes"}, "error: option --help takes no value"},
        {panel, {"--platform"}, "error: option --platform needs a value"},
        {panel, {"/dev/ttyUSB0"}, "error: unexpected argument '/dev/ttyUSB0'"},
        {panel, {"-"}, "error: unexpected argument '-'"},

        {ctl, {}, ""},
        // Commands stand anywhere among the options; "-" alone is one of them.
        {ctl,
         {"status", "--json", "vol+", "-", "--repeat=3"},
         " repeat=3 json commands=status|vol+|-"},
        {ctl,
         {"--port", "COM2", "--speed", "9600", "--timeout", "3600000", "C02"},
         " port=COM2 speed=9600 timeout=3600000 commands=C02"},
        {ctl,
         {"--port=/dev/ttyUSB0", "--port", "tcp://10.0.0.5:4001", "--repeat", "100000"},
         " port=tcp://10.0.0.5:4001 repeat=100000"},
        {ctl, {"--timeout=1", "--timeout", "000000050"}, " timeout=50"},
        {ctl, {"--port", "--json"}, " port=--json"},
        {ctl, {"--value", "--list", "-h", "--version"}, " value list help version"},
        {ctl, {"--bogus", "status"}, "error: unknown option '--bogus'" + hint},
        {ctl, {"--bogus=1"}, "error: unknown option '--bogus'" + hint},
        {ctl, {"-platform", "xcb"}, "error: unknown option '-platform'" + hint},
        {ctl, {"status", "--timeout"}, "error: option --timeout needs a value" + hint},
        {ctl, {"--json=1"}, "error: option --json takes no value" + hint},
        {ctl, {"--port="}, "error: bad value for --port: ''" + hint},
        {ctl, {"--speed", "4800"}, "error: bad value for --speed: '4800'" + hint},
        // Numbers are plain decimal digits within their range.
        {ctl, {"--timeout", " +50"}, "error: bad value for --timeout: ' +50'" + hint},
        {ctl, {"--timeout", "+50"}, "error: bad value for --timeout: '+50'" + hint},
        {ctl, {"--timeout", "0x10"}, "error: bad value for --timeout: '0x10'" + hint},
        {ctl, {"--timeout", "0"}, "error: bad value for --timeout: '0'" + hint},
        {ctl, {"--timeout", "3600001"}, "error: bad value for --timeout: '3600001'" + hint},
        {ctl,
         {"--timeout", "0000000000000000050"},
         "error: bad value for --timeout: '0000000000000000050'" + hint},
        {ctl, {"--repeat", "100001"}, "error: bad value for --repeat: '100001'" + hint},
        {ctl, {"--repeat", "2 "}, "error: bad value for --repeat: '2 '" + hint},
        // The first fault on the line is the one said.
        {ctl, {"--speed", "4800", "--bogus"}, "error: bad value for --speed: '4800'" + hint},
        {ctl,
         {"--json", "--value"},
         "error: --json and --value are two forms of output: choose one"},
        {ctl, {"--json", "--value", "--bogus"}, "error: unknown option '--bogus'" + hint},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(joined(c.arguments));
        if (c.program == Program::Panel) {
            EXPECT_EQ(outcome(parsePanelOptions(c.arguments)), c.outcome);
        } else {
            EXPECT_EQ(outcome(ctl::parseCtlOptions(c.arguments)), c.outcome);
        }
    }
}

}  // namespace
}  // namespace zoma
