// The built zoma-panel as a user meets it: its own process on a virtual X server, real X mouse
// and keyboard input from xdotool, and its line on a pseudo-terminal that the test holds.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/ChildProcess.h"
#include "support/PseudoTerminal.h"
#include "support/VirtualDisplay.h"

namespace zoma {
namespace {

using testing::ChildProcess;
using testing::PseudoTerminal;
using testing::VirtualDisplay;

// Every limit below only guards against a hang; no step is timed.
constexpr int kToolLimitMs = 20000;
constexpr int kLineLimitMs = 5000;

// The window's title, blanks and all.
constexpr const char* kTitlePattern = "^ZOMA   LT540 & LT47  CONTROL  Ver.1.31$";

// A place in the window's client area, in twips as the layout gives it; 15 twips per pixel.
struct Spot {
    int xTwips;
    int yTwips;
    int x() const { return xTwips / 15; }
    int y() const { return yTwips / 15; }
};

// The centre of a control of the given size at (left, top) inside a frame at (frameLeft,
// frameTop) of the client area.
Spot centreOf(int frameLeft, int frameTop, int left, int top, int width, int height) {
    return {frameLeft + left + width / 2, frameTop + top + height / 2};
}

struct Size {
    int width = 0;
    int height = 0;
};

class PanelUnderXTest : public ::testing::Test {
  protected:
    void SetUp() override {
        display = std::make_unique<VirtualDisplay>();
        if (!display->ok()) GTEST_SKIP() << "no virtual X server: " << display->failure();
        ASSERT_TRUE(line.ok());

        char folder[] = "/tmp/zoma-x11-XXXXXX";  // mkdtemp makes it 0700, as Qt wants
        ASSERT_NE(::mkdtemp(folder), nullptr);
        runtimeDir = folder;
        panelLog = runtimeDir + "/panel.log";

        panel = display->start({ZOMA_PANEL_PATH},
                               {{"QT_QPA_PLATFORM", "xcb"},
                                {"XDG_RUNTIME_DIR", runtimeDir},
                                {"ZOMA_COM1", line.slavePath()}},
                               panelLog);
        ASSERT_TRUE(panel->started());
        window = findWindow();
        ASSERT_FALSE(window.empty()) << "no window; the panel said:\n" << panelSaid();
    }

    // Waits for the panel's window to be mapped; gives up early if the panel has died.
    std::string findWindow() {
        const std::unique_ptr<ChildProcess> search = display->start(
            {"xdotool", "search", "--sync", "--onlyvisible", "--name", kTitlePattern});
        const auto limit =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kToolLimitMs);
        std::string id;
        while (!search->readLine(id, 100)) {
            if (search->exited()) return search->readLine(id, 1000) ? id : std::string();
            if (panel->exited() || std::chrono::steady_clock::now() > limit) return {};
        }
        return id;
    }

    void TearDown() override {
        // Panel first, while its display is still there to close on.
        if (panel) panel->stop();
        display.reset();
        if (!runtimeDir.empty()) std::filesystem::remove_all(runtimeDir);
    }

    std::string panelSaid() const {
        std::ifstream file(panelLog);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    void clickAt(const Spot& spot) {
        const VirtualDisplay::Outcome clicked =
            display->run({"xdotool", "mousemove", "--window", window, std::to_string(spot.x()),
                          std::to_string(spot.y()), "click", "1"},
                         kToolLimitMs);
        ASSERT_EQ(clicked.exitCode, 0) << clicked.output;
    }

    Size windowSize() {
        const VirtualDisplay::Outcome geometry =
            display->run({"xdotool", "getwindowgeometry", window}, kToolLimitMs);
        std::smatch match;
        Size size;
        if (std::regex_search(geometry.output, match, std::regex("Geometry: (\\d+)x(\\d+)"))) {
            size = {std::stoi(match[1]), std::stoi(match[2])};
        }
        return size;
    }

    // Polls the window's size until it has the height asked for, within the hang guard.
    Size waitForHeight(int height) {
        const auto limit =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kToolLimitMs);
        Size size = windowSize();
        while (size.height != height && std::chrono::steady_clock::now() < limit) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            size = windowSize();
        }
        return size;
    }

    void pressCtrlJ() {
        // With no window manager nobody hands out the focus: take it, then type. Should the
        // server refuse, the key goes to the window directly.
        const VirtualDisplay::Outcome focused =
            display->run({"xdotool", "windowfocus", "--sync", window}, kToolLimitMs);
        const VirtualDisplay::Outcome typed =
            focused.exitCode == 0
                ? display->run({"xdotool", "key", "ctrl+j"}, kToolLimitMs)
                : display->run({"xdotool", "key", "--window", window, "ctrl+j"}, kToolLimitMs);
        ASSERT_EQ(typed.exitCode, 0) << typed.output;
    }

    // The panel's visible windows (the window, and any warning box, which has its title).
    std::vector<std::string> visibleWindows() {
        const VirtualDisplay::Outcome found = display->run(
            {"xdotool", "search", "--onlyvisible", "--name", kTitlePattern}, kToolLimitMs);
        std::vector<std::string> ids;
        std::istringstream lines(found.output);
        for (std::string id; std::getline(lines, id);) {
            if (!id.empty()) ids.push_back(id);
        }
        return ids;
    }

    // Polls until the panel shows this many windows, within the hang guard.
    bool waitForWindows(std::size_t count) {
        const auto limit =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kToolLimitMs);
        while (visibleWindows().size() != count) {
            if (std::chrono::steady_clock::now() > limit) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return true;
    }

    void xdotool(const std::vector<std::string>& arguments) {
        std::vector<std::string> argv = {"xdotool"};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const VirtualDisplay::Outcome done = display->run(argv, kToolLimitMs);
        ASSERT_EQ(done.exitCode, 0) << done.output;
    }

    std::unique_ptr<VirtualDisplay> display;
    PseudoTerminal line;
    std::string runtimeDir;
    std::string panelLog;
    std::unique_ptr<ChildProcess> panel;
    std::string window;
};

// "STATUS", a read-out button of the lower area: (7320, 5760), 975 x 255 twips.
const Spot kStatus = centreOf(0, 0, 7320, 5760, 975, 255);

TEST_F(PanelUnderXTest, StartsSilentAndEachClickedButtonSendsItsFrame) {
    // Nothing may arrive: the panel sends only when a button is pressed.
    EXPECT_EQ(line.read(300), "");

    const struct {
        const char* button;
        Spot spot;
        const char* frame;
    } clicks[] = {
        // POWER frame at (90, 90): ON and OFF, 615 x 300 twips.
        {"ON", centreOf(90, 90, 120, 720, 615, 300), "C00\r"},
        {"OFF", centreOf(90, 90, 720, 720, 615, 300), "C02\r"},
        // INPUT 1 frame at (1590, 345): ANALOG, 960 x 300 twips.
        {"ANALOG", centreOf(1590, 345, 90, 585, 960, 300), "C05\r"},
        // INPUT 3 frame at (6465, 345): COMPONENT, 1830 x 300 twips.
        {"COMPONENT", centreOf(6465, 345, 1080, 600, 1830, 300), "C26\r"},
    };
    for (const auto& click : clicks) {
        clickAt(click.spot);
        EXPECT_EQ(line.read(kLineLimitMs), click.frame) << click.button;
    }

    // At the normal height the read-out buttons lie below the window: a click there misses.
    clickAt(kStatus);
    EXPECT_EQ(line.read(300), "");
    EXPECT_TRUE(panel->started() && !panel->exited()) << panelSaid();
}

TEST_F(PanelUnderXTest, CtrlJShowsTheLowerAreaWithItsReadOutButtons) {
    // 5200 and 7000 twips of outer height; without a window manager there is no frame.
    const Size normal = waitForHeight(347);
    EXPECT_EQ(normal.height, 347);
    EXPECT_EQ(normal.width, 634);

    pressCtrlJ();
    const Size full = waitForHeight(467);
    EXPECT_EQ(full.height, 467) << panelSaid();
    EXPECT_EQ(full.width, 634);

    // Now in reach.
    clickAt(kStatus);
    EXPECT_EQ(line.read(kLineLimitMs), "CR0\r");
}

TEST_F(PanelUnderXTest, AWarningBoxRaisedDuringASpaceHoldWaitsForAFreshKey) {
    // "VOL +": (3600, 2880), 375 x 255 twips. A click sends its frame once and gives it the
    // keyboard focus.
    clickAt(centreOf(0, 0, 3600, 2880, 375, 255));
    EXPECT_EQ(line.read(kLineLimitMs), "C09\r");
    xdotool({"windowfocus", "--sync", window});
    // Space held down repeats "VOL +" every 250 ms, and the X server repeats the key.
    xdotool({"keydown", "space"});
    EXPECT_EQ(line.read(kLineLimitMs).substr(0, 4), "C09\r");
    // The line goes away under the hold: a warning box appears while Space is still down.
    line.closeMaster();
    ASSERT_TRUE(waitForWindows(2)) << panelSaid();
    // The key goes on repeating over the box for a while, then is let go.
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    xdotool({"keyup", "space"});
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(visibleWindows().size(), 2u) << "the box went with the held key's release";
    // A key pressed after the box appeared answers it.
    xdotool({"key", "Return"});
    EXPECT_TRUE(waitForWindows(1)) << panelSaid();
    EXPECT_FALSE(panel->exited()) << panelSaid();
}

TEST_F(PanelUnderXTest, EndClosesTheLineAndEndsTheProgramWithoutSending) {
    // "END" in the right-hand column: (8400, 4320), 975 x 375 twips.
    clickAt(centreOf(0, 0, 8400, 4320, 975, 375));
    // Exit status 0 also means a clean exit: a sanitizer build ends otherwise on any leak.
    EXPECT_EQ(panel->finish(kToolLimitMs), 0) << panelSaid();
    EXPECT_EQ(line.read(300), "");
}

}  // namespace
}  // namespace zoma
