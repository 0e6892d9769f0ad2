// The simulator's command line: each option reaches its setting, bad values are refused.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "sim/SimOptions.h"

namespace zoma::sim {
namespace {

TEST(SimOptions, EachOptionSetsItsSetting) {
    struct Case {
        std::vector<std::string> args;
        std::function<bool(const SimOptions&)> holds;
    };
    const Case cases[] = {
        {{},
         [](const SimOptions& o) {
             return o.model.startState == PowerState::Standby && !o.timing.silent && !o.stream &&
                    !o.noisePerSecond && o.linkPath.empty() && o.logPath.empty() && !o.tcpPort &&
                    !o.listenAddress && o.dropAfter == 0;
         }},
        {{"--tcp", "0"}, [](const SimOptions& o) { return o.tcpPort == 0 && !o.listenAddress; }},
        {{"--tcp=4001", "--listen", "::1", "--drop-after", "2"},
         [](const SimOptions& o) {
             return o.tcpPort == 4001 && o.listenAddress == "::1" && o.dropAfter == 2;
         }},
        {{"--listen", "0.0.0.0", "--tcp", "65535"},
         [](const SimOptions& o) { return o.tcpPort == 65535 && o.listenAddress == "0.0.0.0"; }},
        {{"--link", "/tmp/x"}, [](const SimOptions& o) { return o.linkPath == "/tmp/x"; }},
        {{"--log=/tmp/l"}, [](const SimOptions& o) { return o.logPath == "/tmp/l"; }},
        {{"--delay", "40"}, [](const SimOptions& o) { return o.timing.delayMs == 40; }},
        {{"--split", "2", "--gap", "15"},
         [](const SimOptions& o) { return o.timing.pieceSize == 2 && o.timing.gapMs == 15; }},
        {{"--silent"}, [](const SimOptions& o) { return o.timing.silent; }},
        {{"--noise", "2.5", "--seed=7"},
         [](const SimOptions& o) { return o.noisePerSecond == 2.5 && o.seed == 7; }},
        {{"--stream", "max"}, [](const SimOptions& o) { return o.stream && !o.streamPerSecond; }},
        // A later --stream wins, the rate of the earlier one with it.
        {{"--stream", "9600", "--stream=max"},
         [](const SimOptions& o) { return o.stream && !o.streamPerSecond; }},
        {{"--stream", "9600"},
         [](const SimOptions& o) { return o.stream && o.streamPerSecond == 9600.0; }},
        {{"--state", "temperature-abnormality-88"},
         [](const SimOptions& o) {
             return o.model.startState == PowerState::TemperatureAbnormality88;
         }},
        {{"--state", "key-prohibited"},
         [](const SimOptions& o) { return o.model.startState == PowerState::KeyProhibited; }},
        {{"--lamp-hours", "9999"}, [](const SimOptions& o) { return o.model.lampHours == 9999; }},
        {{"--orientation", "left-right"},
         [](const SimOptions& o) { return o.model.orientation == Orientation::LeftRight; }},
        {{"--phase-ms", "200"},
         [](const SimOptions& o) {
             return o.model.countDownMs == 200 && o.model.coolingMs == 200;
         }},
    };
    for (const Case& c : cases) {
        const ParsedOptions parsed = parseOptions(c.args);
        const std::string what = c.args.empty() ? "(none)" : c.args[0];
        EXPECT_EQ(parsed.error, "") << what;
        EXPECT_FALSE(parsed.help) << what;
        EXPECT_TRUE(c.holds(parsed.options)) << what;
    }
}

TEST(SimOptions, BadCommandLinesAreRefusedNamingTheCulprit) {
    struct Case {
        std::vector<std::string> args;
        std::string message;  // the error must contain this
    };
    const Case cases[] = {
        {{"--delay"}, "option --delay needs a value"},
        {{"--delay", "-1"}, "bad value for --delay"},
        {{"--delay", "5ms"}, "bad value for --delay"},
        {{"--split", "0"}, "bad value for --split"},
        {{"--noise", "0"}, "bad value for --noise"},
        {{"--noise", "fast"}, "bad value for --noise"},
        {{"--stream", ""}, "bad value for --stream"},
        {{"--state", "off"}, "bad value for --state"},
        {{"--lamp-hours", "10000"}, "bad value for --lamp-hours"},
        {{"--orientation", "upside-down"}, "bad value for --orientation"},
        {{"--seed", "4294967296"}, "bad value for --seed"},
        {{"--link="}, "bad value for --link"},
        {{"--silent=yes"}, "option --silent takes no value"},
        {{"--tcp", "65536"}, "bad value for --tcp"},
        {{"--tcp", "-1"}, "bad value for --tcp"},
        {{"--tcp", "0", "--listen", "localhost"}, "bad value for --listen"},
        {{"--tcp", "0", "--drop-after", "0"}, "bad value for --drop-after"},
        // Options of one kind of line are refused with the other, in either order.
        {{"--listen", "127.0.0.1"}, "--listen needs --tcp"},
        {{"--drop-after", "1"}, "--drop-after needs --tcp"},
        {{"--link", "/tmp/x", "--tcp", "0"}, "--link"},
        {{"--tcp", "0", "--link", "/tmp/x"}, "--link"},
        {{"stray"}, "unexpected argument 'stray'"},
        {{"-"}, "unexpected argument '-'"},
        // An unknown name is reported as unknown, also where a value would be missing.
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--bogus", "1"}, "unknown option '--bogus'"},
        {{"--bogus=1"}, "unknown option '--bogus'"},
        {{"--delay", "5", "--bogus"}, "unknown option '--bogus'"},
        {{"-x"}, "unknown option '-x'"},
    };
    for (const Case& c : cases) {
        std::string what;
        for (const std::string& arg : c.args) what += arg + " ";
        const std::string error = parseOptions(c.args).error;
        EXPECT_NE(error.find(c.message), std::string::npos) << what << "-> '" << error << "'";
    }
}

}  // namespace
}  // namespace zoma::sim
