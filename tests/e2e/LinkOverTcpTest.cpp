// The link over TCP as a serial device server offers it: bytes, pieces, refusal, drop, silence.
#include <gtest/gtest.h>

#include <qpa/qwindowsysteminterface.h>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/RealPanel.h"
#include "support/LoopbackPorts.h"
#include "support/SimulatorProcess.h"
#include "support/TcpPeer.h"

namespace zoma {
namespace {

using testing::RealPanel;
using testing::RefusingTcpPort;
using testing::SimulatorProcess;
using testing::TcpPeer;
using testing::UnansweringTcpPort;
using testing::waitUntil;

// Guards against a hang only: every wait ends as soon as its condition holds.
constexpr int kHangGuardMs = 8000;

std::string everyByteValue() {
    std::string bytes;
    for (int value = 0; value < 256; ++value) bytes += static_cast<char>(value);
    return bytes;
}

class LinkOverTcpTest : public ::testing::Test {
  protected:
    void TearDown() override {
        unsetenv("ZOMA_COM1");
        unsetenv("ZOMA_COM2");
    }

    // The panel loaded on ZOMA_COM1, shown and active, as an operator finds it.
    static void load(RealPanel& panel) {
        panel.form.Form_Load();
        panel.window.show();
        QApplication::setActiveWindow(&panel.window);
    }

    // Shows the port panel with "COM" and clicks the option, as the operator does.
    static void choosePort(RealPanel& panel, std::string_view option) {
        QTest::mouseClick(panel.window.control(kComButton), Qt::LeftButton);
        QTest::mouseClick(panel.window.control(option), Qt::LeftButton);
    }

    static std::string warnings(const RealPanel& panel) {
        return panel.warnings.join("\n---\n").toStdString();
    }
};

TEST_F(LinkOverTcpTest, BytesTravelUnchangedBothWays) {
    TcpPeer peer;
    ASSERT_TRUE(peer.ok());
    setenv("ZOMA_COM1", peer.device().c_str(), 1);
    RealPanel panel;
    load(panel);
    ASSERT_TRUE(panel.port.isOpen()) << warnings(panel);
    ASSERT_TRUE(waitUntil([&] { return peer.connected(); }, kHangGuardMs));
    // Start-up connects but sends nothing.
    testing::runFor(100);
    EXPECT_TRUE(peer.takeFrames().empty());

    panel.form.click("Command44");
    ASSERT_TRUE(peer.waitForFrames(1, kHangGuardMs));
    EXPECT_EQ(peer.takeFrames().front().bytes, "CR0\r");
    peer.send("8");
    ASSERT_TRUE(waitUntil([&] { return panel.label(kRxLine) == " 8 "; }, kHangGuardMs));
    peer.send("0\r");
    ASSERT_TRUE(waitUntil([&] { return panel.label(kStatusLine) == " Stand by"; }, kHangGuardMs));
    EXPECT_EQ(panel.label(kRxLine), " 8 0 CR ");

    // Once the reply window has emptied the receive buffer, every byte value from the device
    // server lands in it one to one, NUL and bytes above 127 included.
    ASSERT_TRUE(
        waitUntil([&] { return panel.form.vars.RxBuffer.empty() && panel.label(kTxLine).empty(); },
                  kHangGuardMs));
    const std::string every = everyByteValue();
    peer.send(every);
    ASSERT_TRUE(
        waitUntil([&] { return panel.form.vars.RxBuffer.size() >= every.size(); }, kHangGuardMs));
    EXPECT_EQ(panel.form.vars.RxBuffer, every);

    // And toward the device server: the frames cut at each CR put back together.
    ASSERT_TRUE(panel.port.write(every + '\r'));
    std::string arrived;
    while (arrived.size() < every.size() + 1 && peer.waitForFrames(1, kHangGuardMs)) {
        for (const TcpPeer::Frame& frame : peer.takeFrames()) arrived += frame.bytes;
    }
    EXPECT_EQ(arrived, every + '\r');
    EXPECT_TRUE(panel.warnings.isEmpty()) << warnings(panel);
}

// A reply the simulator sends a byte at a time, and how the panel shows it once it is whole.
struct Pieces {
    const char* name;
    std::vector<std::string> simulator;
    const char* query;
    const char* rx;
    const char* status;
};

TEST_F(LinkOverTcpTest, RepliesInPiecesAreAssembledAndDecoded) {
    const Pieces cases[] = {
        {"status", {}, "Command44", " 8 0 CR ", " Stand by"},
        {"lamp hours", {"--lamp-hours", "4056"}, "Command46", " 4 0 5 6 CR ", " 4 0 5 6 Hour Use"},
    };
    for (const Pieces& c : cases) {
        std::vector<std::string> options = {"--tcp", "0", "--split", "1", "--gap", "20"};
        options.insert(options.end(), c.simulator.begin(), c.simulator.end());
        SimulatorProcess simulator(options);
        ASSERT_TRUE(simulator.ok()) << c.name;
        setenv("ZOMA_COM1", simulator.device().c_str(), 1);
        RealPanel panel;
        load(panel);
        ASSERT_TRUE(panel.port.isOpen()) << warnings(panel);

        QTest::mouseClick(panel.window.control(c.query), Qt::LeftButton);
        EXPECT_TRUE(waitUntil([&] { return panel.label(kRxLine) == c.rx; }, kHangGuardMs))
            << c.name << ": " << panel.label(kRxLine) << "\n"
            << simulator.log();
        EXPECT_EQ(panel.label(kStatusLine), c.status) << c.name;
        // The reply did go out in pieces.
        EXPECT_NE(simulator.log().find("(piece 2/"), std::string::npos) << simulator.log();
    }
}

TEST_F(LinkOverTcpTest, RefusedConnectionAtStartUpIsReportedAndThePanelGoesOn) {
    RefusingTcpPort refusing;
    TcpPeer other;
    ASSERT_TRUE(refusing.ok() && other.ok());
    setenv("ZOMA_COM1", refusing.device().c_str(), 1);
    setenv("ZOMA_COM2", other.device().c_str(), 1);
    RealPanel panel;
    load(panel);

    ASSERT_EQ(panel.warnings.size(), 1) << warnings(panel);
    const std::string said = panel.warnings[0].toStdString();
    EXPECT_NE(said.find("refused"), std::string::npos) << said;
    EXPECT_NE(said.find("COM1 (" + refusing.device() + ")"), std::string::npos) << said;
    EXPECT_FALSE(panel.port.isOpen());
    EXPECT_FALSE(panel.window.isMarked(kOptionCom1));

    panel.form.click("Command17");
    EXPECT_EQ(panel.label(kStatusLine), " Port not open");
    choosePort(panel, kOptionCom2);
    ASSERT_TRUE(panel.port.isOpen()) << warnings(panel);
    panel.form.click("Command18");
    ASSERT_TRUE(other.waitForFrames(1, kHangGuardMs));
    EXPECT_EQ(other.takeFrames().front().bytes, "C02\r");
    EXPECT_EQ(panel.warnings.size(), 1);
}

TEST_F(LinkOverTcpTest, ConnectionClosedDuringAHoldIsReportedOnceAndChoosingThePortReconnects) {
    // "VOL +" repeats every 250 ms; the device server hangs up after the third frame.
    SimulatorProcess simulator({"--tcp", "0", "--drop-after", "3"});
    ASSERT_TRUE(simulator.ok());
    setenv("ZOMA_COM1", simulator.device().c_str(), 1);
    RealPanel panel;
    load(panel);
    ASSERT_TRUE(panel.port.isOpen()) << warnings(panel);

    QWidget* volumeUp = panel.window.control("Command1");
    QTest::mousePress(volumeUp, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !panel.warnings.isEmpty(); }, kHangGuardMs))
        << simulator.log();
    EXPECT_FALSE(panel.port.isOpen());
    // It says which line was lost, on which port and device.
    EXPECT_TRUE(panel.warnings[0].contains(
        QString::fromStdString("The line on COM1 (" + simulator.device() + ") was lost.")))
        << warnings(panel);
    // The warning ended the hold: a few repeat periods pass without a frame or a second warning.
    testing::runFor(800);
    QTest::mouseRelease(volumeUp, Qt::LeftButton);
    EXPECT_EQ(panel.warnings.size(), 1) << warnings(panel);
    EXPECT_EQ(simulator.framesReceived("C09"), 3) << simulator.log();
    EXPECT_FALSE(panel.port.isOpen());
    EXPECT_FALSE(panel.window.isMarked(kOptionCom1));

    // Choosing the port again connects again, and the line works.
    choosePort(panel, kOptionCom1);
    ASSERT_TRUE(panel.port.isOpen()) << warnings(panel);
    QTest::mouseClick(panel.window.control("Command17"), Qt::LeftButton);
    EXPECT_TRUE(waitUntil([&] { return simulator.framesReceived("C00") == 1; }, kHangGuardMs))
        << simulator.log();
    EXPECT_EQ(simulator.framesReceived("C09"), 3) << simulator.log();
    EXPECT_EQ(panel.warnings.size(), 1) << warnings(panel);
}

TEST_F(LinkOverTcpTest, WhileADeviceServerDoesNotAnswerTimersRunAndClicksWait) {
    TcpPeer working;
    UnansweringTcpPort quiet;
    ASSERT_TRUE(working.ok() && quiet.ok());
    setenv("ZOMA_COM1", working.device().c_str(), 1);
    setenv("ZOMA_COM2", quiet.device().c_str(), 1);
    RealPanel panel;
    load(panel);
    ASSERT_TRUE(panel.port.isOpen()) << warnings(panel);
    QWidget* on = panel.window.control("Command17");

    // While COM2 is being chosen: a timer of the window counts its ticks, and on its first tick
    // the operator clicks "ON", as a window-system event, the way real input arrives.
    bool choosing = false;
    int ticksWhileChoosing = 0;
    bool clickSeenWhileChoosing = false;
    QTimer ticker;
    ticker.setInterval(20);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (!choosing) return;
        if (ticksWhileChoosing++ > 0) return;
        QWindow* window = panel.window.windowHandle();
        const QPointF local = on->mapTo(&panel.window, on->rect().center());
        const QPointF global = on->mapToGlobal(on->rect().center());
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            window, local, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            window, local, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
    });
    struct PressWatch : QObject {
        const bool& choosing;
        bool& seen;
        PressWatch(const bool& c, bool& s) : choosing(c), seen(s) {}
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::MouseButtonPress && choosing) seen = true;
            return false;
        }
    } watch(choosing, clickSeenWhileChoosing);
    on->installEventFilter(&watch);
    ticker.start();

    QTest::mouseClick(panel.window.control(kComButton), Qt::LeftButton);
    choosing = true;
    QTest::mouseClick(panel.window.control(kOptionCom2), Qt::LeftButton);
    choosing = false;

    EXPECT_GT(ticksWhileChoosing, 1);
    EXPECT_FALSE(clickSeenWhileChoosing);
    ASSERT_EQ(panel.warnings.size(), 1) << warnings(panel);
    const std::string said = panel.warnings[0].toStdString();
    EXPECT_EQ(
        said.rfind("No answer within 3 seconds\nCOM2 (" + quiet.device() + ") could not be opened.",
                   0),
        0u)
        << said;
    // Back on COM1, which then carries the click that waited.
    ASSERT_TRUE(panel.port.isOpen());
    std::vector<std::string> frames;
    EXPECT_TRUE(waitUntil(
        [&] {
            for (const TcpPeer::Frame& frame : working.takeFrames()) frames.push_back(frame.bytes);
            return !frames.empty();
        },
        kHangGuardMs));
    EXPECT_EQ(frames, std::vector<std::string>{"C00\r"});
}

TEST_F(LinkOverTcpTest, ACloseRequestWhileConnectingTakesEffectOnceTheConnectHasEnded) {
    TcpPeer working;
    UnansweringTcpPort quiet;
    ASSERT_TRUE(working.ok() && quiet.ok());
    setenv("ZOMA_COM1", working.device().c_str(), 1);
    setenv("ZOMA_COM2", quiet.device().c_str(), 1);
    RealPanel panel;
    load(panel);
    ASSERT_TRUE(panel.port.isOpen()) << warnings(panel);

    // The window system asks the window to close (its close button) while COM2 is connecting.
    bool askedWhileConnecting = false;
    QTimer::singleShot(200, [&] {
        askedWhileConnecting = panel.port.isOpening();
        QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            panel.window.windowHandle());
    });
    choosePort(panel, kOptionCom2);
    EXPECT_TRUE(askedWhileConnecting);
    // Once the connect has failed the window closes, with no warning box in the way (a modal box
    // would keep the window system's close request from the window).
    EXPECT_TRUE(waitUntil([&] { return !panel.window.isVisible(); }, kHangGuardMs));
    EXPECT_TRUE(panel.warnings.isEmpty()) << warnings(panel);
}

}  // namespace
}  // namespace zoma
