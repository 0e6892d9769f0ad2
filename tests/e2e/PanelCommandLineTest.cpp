// The built zoma-panel's command line: the device options (a terminal, a device server's TCP
// port), --version, wrong options and a missing display, each answered before any window opens.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

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
         1},
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
