// zoma-ctl's --port: COM1 and COM2 as the panel maps them on this platform, any other name as it
// is, how messages name the line, and what the help says of it.
#include "ctl/PortChoice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "ctl/CtlOptions.h"
#include "platform/OpenFailure.h"
#include "platform/PortNaming.h"

namespace zoma::ctl {
namespace {

// A variable of this process's environment, set for the life of the object; then what was there
// before is put back.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) {
        if (const char* before = std::getenv(name)) before_ = before;
        set(value.c_str());
    }
    ~ScopedVariable() { set(before_ ? before_->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    // nullptr removes the variable.
    void set(const char* value) {
#ifdef _WIN32
        _putenv_s(name_, value != nullptr ? value : "");  // an empty value removes it there
#else
        if (value != nullptr) {
            setenv(name_, value, 1);
        } else {
            unsetenv(name_);
        }
#endif
    }

    const char* name_;
    std::optional<std::string> before_;
};

TEST(PortChoice, NumberedPortsAsThisPlatformMapsThemOtherNamesAsTheyAre) {
    const ScopedVariable com1("ZOMA_COM1", "/dev/ttyUSB7");
    const ScopedVariable com2("ZOMA_COM2", "tcp://10.0.0.5:4001");
    // On Linux a port follows ZOMA_COM1 and ZOMA_COM2; on Windows the ports are COM1 and COM2
    // whatever the environment says, and a message names such a port once.
    const PortDevices devices = resolvePortDevices({});
#ifdef _WIN32
    const PortChoice portOne = {1, "COM1"};
    const PortChoice portTwo = {2, "COM2"};
    const std::string lineOne = "cannot open COM1: ";
#else
    const PortChoice portOne = {1, "/dev/ttyUSB7"};
    const PortChoice portTwo = {2, "tcp://10.0.0.5:4001"};
    const std::string lineOne = "cannot open COM1 (/dev/ttyUSB7): ";
#endif
    struct Case {
        const char* argument;
        PortChoice expected;
    };
    const Case cases[] = {
        {"COM1", portOne},
        {"COM2", portTwo},
        {"COM3", {0, "COM3"}},
        {"/dev/ttyACM0", {0, "/dev/ttyACM0"}},
        {"tcp://printer.local:9100", {0, "tcp://printer.local:9100"}},
    };
    for (const Case& c : cases) {
        const PortChoice got = choosePort(c.argument, devices);
        EXPECT_EQ(got.portNumber, c.expected.portNumber) << c.argument;
        EXPECT_EQ(got.device, c.expected.device) << c.argument;
        EXPECT_EQ(namesPanelPort(c.argument), c.expected.portNumber != 0) << c.argument;
    }
    // How zoma-ctl's one line names port one.
    OpenFailure failure;
    failure.portNumber = 1;
    failure.device = devices.com1;
    failure.reason = "No such file or directory";
    EXPECT_EQ(openFailureLine(failure), lineOne + "No such file or directory");
}

TEST(PortChoice, HelpNamesThePortsAsThisPlatformMapsThem) {
    struct Case {
        const char* words;
        bool said;
    };
    // Windows reads neither the variables nor the settings file, and has no /dev.
#ifdef _WIN32
    const Case cases[] = {
        {"--port PORT     COM1 (default), COM2, or another port such as COM3,\n", true},
        {"ZOMA_COM1", false},
        {"zoma-panel.conf", false},
        {"/dev/", false},
    };
#else
    const Case cases[] = {
        {"--port PORT     COM1 (default) or COM2 as the panel maps them", true},
        {"ZOMA_COM1", true},
        {"~/.config/zoma/zoma-panel.conf", true},
        {"/dev/ttyS0 and /dev/ttyS1", true},
    };
#endif
    const std::string help = ctlHelp();
    for (const Case& c : cases) {
        EXPECT_EQ(help.find(c.words) != std::string::npos, c.said) << c.words;
    }
    EXPECT_NE(help.find("\n  --speed BAUD "), std::string::npos) << "the options go on after it";
}

}  // namespace
}  // namespace zoma::ctl
