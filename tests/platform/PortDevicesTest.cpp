// Which device each port opens: option, environment, settings file, the system's name; and the
// settings file's lines.
#include <gtest/gtest.h>

#include <map>

#include "platform/PortNaming.h"
#include "platform/SettingsFile.h"

namespace zoma {
namespace {

using Environment = std::map<std::string, std::string>;

EnvironmentLookup lookupIn(const Environment& environment) {
    return [&environment](const std::string& name) {
        const auto found = environment.find(name);
        return found != environment.end() ? found->second : std::string();
    };
}

// The system's own names of the two ports, which each platform names its own way.
#ifdef _WIN32
const PortDevices kSystemPorts = {"COM1", "COM2"};
#else
const PortDevices kSystemPorts = {"/dev/ttyS0", "/dev/ttyS1"};
#endif

TEST(PortDevices, FirstNamedOfOptionEnvironmentSettingsAndSystemName) {
    const std::string bothInFile = "com1 = /dev/file1\ncom2 = /dev/file2\n";
    const Environment bothInEnvironment = {{"ZOMA_COM1", "/dev/env1"}, {"ZOMA_COM2", "/dev/env2"}};
    struct Case {
        const char* behaviour;
        PortDevices options;
        Environment environment;
        std::string settings;
        PortDevices expected;
    };
    const Case cases[] = {
        {"nothing named: the serial ports", {}, {}, "", kSystemPorts},
        {"settings file over the system", {}, {}, bothInFile, {"/dev/file1", "/dev/file2"}},
        {"environment over settings file",
         {},
         bothInEnvironment,
         bothInFile,
         {"/dev/env1", "/dev/env2"}},
        {"options over everything",
         {"/dev/opt1", "/dev/opt2"},
         bothInEnvironment,
         bothInFile,
         {"/dev/opt1", "/dev/opt2"}},
        {"each port on its own: option for 1, file for 2",
         {"/dev/opt1", ""},
         {},
         bothInFile,
         {"/dev/opt1", "/dev/file2"}},
        {"each port on its own: environment for 2, system for 1",
         {},
         {{"ZOMA_COM2", "/dev/env2"}},
         "",
         {kSystemPorts.com1, "/dev/env2"}},
        {"option for 2 over environment for 2",
         {"", "/dev/opt2"},
         bothInEnvironment,
         "",
         {"/dev/env1", "/dev/opt2"}},
        {"empty variables and values count as unset",
         {},
         {{"ZOMA_COM1", ""}},
         "com1 =\ncom2 = /dev/file2",
         {kSystemPorts.com1, "/dev/file2"}},
        {"other variables do not count",
         {},
         {{"ZOMA_COM", "/dev/x"}, {"COM1", "/dev/y"}},
         "",
         kSystemPorts},
    };
    for (const Case& c : cases) {
        const PortDevices got =
            resolvePortDevices(c.options, lookupIn(c.environment), parseSettingsFile(c.settings));
        EXPECT_EQ(got.com1, c.expected.com1) << c.behaviour;
        EXPECT_EQ(got.com2, c.expected.com2) << c.behaviour;
        EXPECT_EQ(got.forPort(1), got.com1) << c.behaviour;
        EXPECT_EQ(got.forPort(2), got.com2) << c.behaviour;
    }
}

TEST(SettingsFile, KeepsKeyValueLinesAndReportsMalformedOnes) {
    const SettingsFile file = parseSettingsFile(
        "# the adapter on the projector\n"
        "\n"
        "   \t\n"
        "com1 = /dev/ttyUSB0\n"
        "  # indented comment\n"
        "com2=/dev/serial/by-id/a=b#c\r\n"
        "colour = grey\n"
        "just words\n"
        " = no key\n"
        "com1\t=  /dev/ttyUSB1  \n"
        "empty =");
    const std::map<std::string, std::string, std::less<>> expected = {
        {"com1", "/dev/ttyUSB1"},  // a later line wins
        {"com2", "/dev/serial/by-id/a=b#c"},
        {"colour", "grey"},  // unknown keys are kept for no one and harm nothing
        {"empty", ""},
    };
    EXPECT_EQ(file.values, expected);
    EXPECT_EQ(file.malformedLines, (std::vector<int>{8, 9}));
    EXPECT_EQ(file.value("missing"), "");
    EXPECT_TRUE(parseSettingsFile("").values.empty());
    EXPECT_TRUE(parseSettingsFile("").malformedLines.empty());
    // A byte-order mark is no part of the first key.
    EXPECT_EQ(parseSettingsFile("\xEF\xBB\xBF"
                                "com1 = tcp://10.0.0.5:4001\n")
                  .value("com1"),
              "tcp://10.0.0.5:4001");
}

// Linux reads the settings file, Windows does not (its ports come from the options alone); the
// path is the same text on both, so the expectations are too.
TEST(SettingsFile, PathFollowsXdgConfigHomeThenHome) {
    struct Case {
        Environment environment;
        std::string expected;
    };
    const Case cases[] = {
        {{{"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/home/u"}}, "/cfg/zoma/zoma-panel.conf"},
        {{{"HOME", "/home/u"}}, "/home/u/.config/zoma/zoma-panel.conf"},
        // A relative XDG_CONFIG_HOME is not a valid one.
        {{{"XDG_CONFIG_HOME", "cfg"}, {"HOME", "/home/u"}}, "/home/u/.config/zoma/zoma-panel.conf"},
        {{}, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(settingsFilePath(lookupIn(c.environment)), c.expected);
}

}  // namespace
}  // namespace zoma
