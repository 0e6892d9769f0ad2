// The link on QSerialPort against pseudo-terminals named by ZOMA_COM1 and ZOMA_COM2.
#include <gtest/gtest.h>

#include <QSerialPort>
#include <cstdlib>

#include "e2e/RealPanel.h"
#include "support/PseudoTerminal.h"

namespace zoma {
namespace {

using testing::PseudoTerminal;
using testing::RealPanel;
using testing::waitUntil;

class LinkOverPtyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(line1.ok() && line2.ok());
        setenv("ZOMA_COM1", line1.slavePath().c_str(), 1);
        setenv("ZOMA_COM2", line2.slavePath().c_str(), 1);
    }
    void TearDown() override {
        unsetenv("ZOMA_COM1");
        unsetenv("ZOMA_COM2");
    }

    PseudoTerminal line1;
    PseudoTerminal line2;
};

TEST_F(LinkOverPtyTest, FramesGoOutUnchangedAndRepliesAreShownAndDecoded) {
    RealPanel panel;
    panel.form.Form_Load();
    ASSERT_TRUE(panel.port.isOpen()) << panel.warnings.join(" ").toStdString();
    EXPECT_EQ(line1.baudRate(), 19200);
    EXPECT_EQ(line1.read(100), "");

    panel.form.click("Command44");
    EXPECT_EQ(line1.read(2000), "CR0\r");
    EXPECT_EQ(panel.label(kTxLine), " C R 0 CR ");
    line1.write("8");
    ASSERT_TRUE(waitUntil([&] { return panel.label(kRxLine) == " 8 "; }));
    line1.write("0\r");
    ASSERT_TRUE(waitUntil([&] { return panel.label(kStatusLine) == " Stand by"; }));
    EXPECT_EQ(panel.label(kRxLine), " 8 0 CR ");

    // Inside the reply window a second frame's reply joins the first. Bytes are characters one
    // to one, NUL and bytes above 127 included.
    panel.form.click("Command17");
    EXPECT_EQ(line1.read(2000), "C00\r");
    line1.write(std::string("\x06\0\xff", 3));
    ASSERT_TRUE(waitUntil([&] { return panel.label(kRxLine) == " 8 0 CR ACK ? ? "; }));
}

TEST_F(LinkOverPtyTest, UnansweredFrameIsMarkedAndCleared) {
    RealPanel panel;
    panel.form.Form_Load();
    panel.form.click("Command45");
    EXPECT_EQ(line1.read(2000), "CR1\r");
    ASSERT_TRUE(waitUntil([&] { return panel.label(kRxLine) == " X X X X"; }));
    ASSERT_TRUE(waitUntil([&] { return panel.label(kTxLine).empty(); }));
    EXPECT_EQ(panel.label(kRxLine), "");
}

TEST_F(LinkOverPtyTest, PortAndSpeedChoicesReachTheLine) {
    RealPanel panel;
    panel.form.Form_Load();
    panel.form.click(kOption9600);
    EXPECT_EQ(line1.baudRate(), 9600);
    panel.form.click(kOptionCom2);
    ASSERT_TRUE(panel.port.isOpen());
    EXPECT_EQ(line2.baudRate(), 9600);
    panel.form.click("Command18");
    EXPECT_EQ(line2.read(2000), "C02\r");
    EXPECT_EQ(line1.read(50), "");
    panel.form.click(kOption19200);
    EXPECT_EQ(line2.baudRate(), 19200);
    EXPECT_TRUE(panel.warnings.isEmpty());
}

TEST_F(LinkOverPtyTest, ChoosingAMissingDeviceWarnsAndKeepsThePreviousLine) {
    setenv("ZOMA_COM2", "/dev/zoma-no-such-device", 1);
    RealPanel panel;
    panel.form.Form_Load();
    panel.form.click(kOptionCom2);
    ASSERT_EQ(panel.warnings.size(), 1);
    // The system's reason first, then the port and the device that could not be opened.
    const QStringList said = panel.warnings[0].split('\n');
    EXPECT_EQ(said.value(0), "No such file or directory");
    EXPECT_EQ(said.value(1), "COM2 (/dev/zoma-no-such-device) could not be opened.");
    EXPECT_TRUE(panel.port.isOpen());
    panel.form.click("Command19");
    EXPECT_EQ(line1.read(2000), "C0B\r");
}

TEST_F(LinkOverPtyTest, MissingPortOneAtStartUpIsReportedAndComTwoStillWorks) {
    setenv("ZOMA_COM1", "/dev/zoma-no-such-device", 1);
    RealPanel panel;
    panel.form.Form_Load();
    ASSERT_EQ(panel.warnings.size(), 1);
    EXPECT_FALSE(panel.port.isOpen());
    panel.form.click("Command17");
    EXPECT_EQ(panel.label(kStatusLine), " Port not open");
    panel.form.click(kOptionCom2);
    ASSERT_TRUE(panel.port.isOpen());
    panel.form.click("Command17");
    EXPECT_EQ(line2.read(2000), "C00\r");
}

TEST_F(LinkOverPtyTest, DeviceVanishingWhileOpenIsReportedOnce) {
    RealPanel panel;
    panel.form.Form_Load();
    panel.form.mouseDown("Command1");
    line1.closeMaster();
    ASSERT_TRUE(waitUntil([&] { return !panel.port.isOpen(); }));
    testing::runFor(300);
    panel.form.mouseUp("Command1");
    ASSERT_EQ(panel.warnings.size(), 1);
    // The box says the line was lost, and on which port and device.
    EXPECT_TRUE(panel.warnings[0].contains(
        QString::fromStdString("\nThe line on COM1 (" + line1.slavePath() + ") was lost.")))
        << panel.warnings[0].toStdString();
    panel.form.click(kOptionCom2);
    ASSERT_TRUE(panel.port.isOpen());
    panel.form.click("Command20");
    EXPECT_EQ(line2.read(2000), "C0C\r");
}

TEST_F(LinkOverPtyTest, PortHeldByAnotherProgramIsReportedAtStartUpAndAtAChoice) {
    QSerialPort holder(QString::fromStdString(line2.slavePath()));
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    setenv("ZOMA_COM1", line2.slavePath().c_str(), 1);
    RealPanel panel;
    panel.form.Form_Load();
    ASSERT_EQ(panel.warnings.size(), 1);
    EXPECT_FALSE(panel.port.isOpen());

    // The choice of a free port recovers; choosing the held one again is refused.
    setenv("ZOMA_COM1", line1.slavePath().c_str(), 1);
    panel.form.click(kOptionCom2);
    ASSERT_EQ(panel.warnings.size(), 2);
    // The same device on either port: in use by another program, not a permission error.
    for (const QString& warning : panel.warnings) {
        EXPECT_EQ(warning.section('\n', 0, 0), "The port is in use by another program")
            << warning.toStdString();
    }
    panel.form.click(kOptionCom1);
    ASSERT_TRUE(panel.port.isOpen());
    panel.form.click("Command17");
    EXPECT_EQ(line1.read(2000), "C00\r");
    panel.form.click(kOptionCom2);
    EXPECT_EQ(panel.warnings.size(), 3);
    EXPECT_TRUE(panel.port.isOpen());
    panel.form.click("Command18");
    EXPECT_EQ(line1.read(2000), "C02\r");
}

}  // namespace
}  // namespace zoma
