// The built zoma-panel's command line: the device options (a terminal, a device server's TCP
// port), --version, wrong options and a missing display, each answered before any window opens.
#include <gtest/gtest.h>

#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstring>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "support/ChildProcess.h"
#include "support/PseudoTerminal.h"
#include "support/SimulatorProcess.h"

namespace zoma {
namespace {

using testing::ChildProcess;
using testing::PseudoTerminal;
using testing::SimulatorProcess;

// Only guards against a hang; nothing is timed.
constexpr int kLimitMs = 20000;

// A private folder for Qt's runtime files and the panel's standard error.
class TempFolder {
  public:
    TempFolder() {
        char name[] = "/tmp/zoma-cli-XXXXXX";  // 0700, as Qt wants its runtime folder
        if (::mkdtemp(name) != nullptr) path = name;
    }
    ~TempFolder() {
        if (!path.empty()) std::filesystem::remove_all(path);
    }
    std::string path;
};

std::string contentsOf(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(PanelCommandLine, AnswersWithoutAWindow) {
    // env(1) removes variables, which the launcher can only add or replace.
    struct Case {
        const char* behaviour;
        std::vector<std::string> argv;
        int status;
        std::string output;
        int errorLines;
        // Words the one line on standard error must hold.
        std::string says = "";
    };
    const Case cases[] = {
        {"--version prints the version", {ZOMA_PANEL_PATH, "--version"}, 0, "1.31\n", 0},
        {"an unknown option is a usage error", {ZOMA_PANEL_PATH, "--colour", "grey"}, 2, "", 1},
        {"a device option without its device is a usage error",
         {ZOMA_PANEL_PATH, "--com2"},
         2,
         "",
         1},
        {"no display named",
         {"/usr/bin/env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM",
          ZOMA_PANEL_PATH},
         1,
         "",
         1},
        {"a display that cannot be reached",
         {"/usr/bin/env", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM", "DISPLAY=:99999",
          ZOMA_PANEL_PATH},
         1,
         "",
         1,
         "cannot open the display :99999"},
        {"a platform plugin that does not exist is named, not taken for a display",
         {"/usr/bin/env", "QT_QPA_PLATFORM=bogus", ZOMA_PANEL_PATH},
         1,
         "",
         1,
         "cannot load the Qt platform plugin \"bogus\"; the plugins there are: "},
    };
    for (const Case& c : cases) {
        const TempFolder folder;
        ASSERT_FALSE(folder.path.empty());
        const std::string errors = folder.path + "/stderr";
        ChildProcess panel({c.argv, {{"XDG_RUNTIME_DIR", folder.path}}, errors});
        const std::string output = panel.readToEnd(kLimitMs);
        EXPECT_EQ(panel.finish(kLimitMs), c.status) << c.behaviour;
        EXPECT_EQ(output, c.output) << c.behaviour;
        const std::string said = contentsOf(errors);
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), c.errorLines) << c.behaviour << ":\n"
                                                                            << said;
        if (c.errorLines > 0) {
            EXPECT_EQ(said.rfind("zoma-panel: ", 0), 0u) << said;
            EXPECT_NE(said.find(c.says), std::string::npos) << c.behaviour << ":\n" << said;
        }
    }
}

TEST(PanelCommandLine, Com1OptionOpensThatDeviceOverTheEnvironment) {
    PseudoTerminal named;
    PseudoTerminal inEnvironment;
    ASSERT_TRUE(named.ok() && inEnvironment.ok());
    const int untouchedSpeed = inEnvironment.baudRate();
    ASSERT_NE(untouchedSpeed, 19200);
    const TempFolder folder;
    ASSERT_FALSE(folder.path.empty());

    // Qt's own -platform option reaches Qt, so no display needs to be named.
    ChildProcess panel(
        {{"/usr/bin/env", "-u", "QT_QPA_PLATFORM", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY",
          ZOMA_PANEL_PATH, "-platform", "offscreen", "--com1", named.slavePath()},
         {{"XDG_RUNTIME_DIR", folder.path}, {"ZOMA_COM1", inEnvironment.slavePath()}},
         folder.path + "/stderr"});
    // Opening the line sets its speed to the panel's 19200 baud.
    const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(kLimitMs);
    while (named.baudRate() != 19200 && !panel.exited() &&
           std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(named.baudRate(), 19200) << contentsOf(folder.path + "/stderr");
    EXPECT_EQ(inEnvironment.baudRate(), untouchedSpeed);
    EXPECT_FALSE(panel.exited());
    panel.stop();
}

int occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// Polls until the panel has opened the line, which sets it to its 19200 baud.
bool waitUntilOpened(const PseudoTerminal& line, ChildProcess& panel) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(kLimitMs);
    while (line.baudRate() != 19200 && !panel.exited() &&
           std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return line.baudRate() == 19200;
}

TEST(PanelCommandLine, StopSignalsPutTheLineBackAndEndByTheSameSignal) {
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(number));
        PseudoTerminal line;
        ASSERT_TRUE(line.ok());
        // A terminal at 9600 baud in its default (cooked) mode, as nobody has configured it.
        termios before{};
        ASSERT_EQ(tcgetattr(line.masterFd(), &before), 0);
        cfsetispeed(&before, B9600);
        cfsetospeed(&before, B9600);
        ASSERT_EQ(tcsetattr(line.masterFd(), TCSANOW, &before), 0);
        ASSERT_EQ(tcgetattr(line.masterFd(), &before), 0);
        const TempFolder folder;
        ChildProcess panel({{ZOMA_PANEL_PATH, "--com1", line.slavePath()},
                            {{"QT_QPA_PLATFORM", "offscreen"}, {"XDG_RUNTIME_DIR", folder.path}},
                            folder.path + "/stderr"});
        ASSERT_TRUE(waitUntilOpened(line, panel)) << contentsOf(folder.path + "/stderr");
        panel.signal(number);
        panel.finish(kLimitMs);
        EXPECT_TRUE(WIFSIGNALED(panel.waitStatus()) && WTERMSIG(panel.waitStatus()) == number)
            << "wait status " << panel.waitStatus() << "; " << contentsOf(folder.path + "/stderr");
        termios after{};
        ASSERT_EQ(tcgetattr(line.masterFd(), &after), 0);
        EXPECT_EQ(cfgetospeed(&after), B9600);
        EXPECT_EQ(after.c_iflag, before.c_iflag);
        EXPECT_EQ(after.c_oflag, before.c_oflag);
        EXPECT_EQ(after.c_cflag, before.c_cflag);
        EXPECT_EQ(after.c_lflag, before.c_lflag);
    }
}

TEST(PanelCommandLine, ASettingsFileThatIsANamedPipeIsSaidOnceAndNothingWaitsOnIt) {
    PseudoTerminal one;
    PseudoTerminal two;
    ASSERT_TRUE(one.ok() && two.ok());
    const TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    std::filesystem::create_directory(folder.path + "/zoma");
    const std::string pipe = folder.path + "/zoma/zoma-panel.conf";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ChildProcess panel({{ZOMA_PANEL_PATH, "--com1", one.slavePath(), "--com2", two.slavePath()},
                        {{"QT_QPA_PLATFORM", "offscreen"},
                         {"XDG_RUNTIME_DIR", folder.path},
                         {"XDG_CONFIG_HOME", folder.path}},
                        folder.path + "/stderr"});
    EXPECT_TRUE(waitUntilOpened(one, panel));
    panel.stop();
    // Said once, first; the offscreen platform's own remarks may follow.
    const std::string said = contentsOf(folder.path + "/stderr");
    EXPECT_EQ(
        said.rfind("zoma-panel: " + pipe + ": not used: it is a named pipe, not a regular file\n",
                   0),
        0u)
        << said;
    EXPECT_EQ(occurrences(said, "not used"), 1) << said;
}

TEST(PanelCommandLine, Com1OptionConnectsToADeviceServerAndSendsNothing) {
    SimulatorProcess server({"--tcp", "0"});
    ASSERT_TRUE(server.ok());
    const TempFolder folder;
    ASSERT_FALSE(folder.path.empty());

    ChildProcess panel({{ZOMA_PANEL_PATH, "--com1", server.device()},
                        {{"QT_QPA_PLATFORM", "offscreen"}, {"XDG_RUNTIME_DIR", folder.path}},
                        folder.path + "/stderr"});
    // Start-up opens the port, then the choice of COM1 closes and opens it again: two
    // connections, the second one kept.
    const auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(kLimitMs);
    while (occurrences(server.log(), " connected to ") < 2 && !panel.exited() &&
           std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(occurrences(server.log(), " connected to "), 2)
        << server.log() << contentsOf(folder.path + "/stderr");
    EXPECT_FALSE(panel.exited());
    panel.stop();
    // The connection ends with the program, and nothing was sent on it.
    while (occurrences(server.log(), " gone") < 2 && std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const std::string log = server.log();
    EXPECT_EQ(occurrences(log, " gone"), 2) << log;
    EXPECT_EQ(log.find(" rx "), std::string::npos) << log;
}

}  // namespace
}  // namespace zoma
