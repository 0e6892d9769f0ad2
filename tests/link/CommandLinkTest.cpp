// The link on a virtual clock: transmission, reply window, monitor hold, receipts, start-up.
#include "link/CommandLink.h"

#include <gtest/gtest.h>

#include "doubles/FormRig.h"
#include "replies/MonitorText.h"

namespace zoma {
namespace {

using testing::FormRig;

class CommandLinkTest : public ::testing::Test {
  protected:
    void SetUp() override { rig.load(); }

    void send(const std::string& code) {
        rig.form.vars.LastCommand = code + '\r';
        rig.form.link.Hyouji(rig.form.vars.LastCommand, CommandLink::kTransmit);
    }

    FormRig rig;
};

TEST_F(CommandLinkTest, StartUpOpensPortOneAtTheStartSettingsAndSendsNothing) {
    FormRig fresh;
    fresh.form.Form_Load();
    EXPECT_TRUE(fresh.port.isOpen());
    EXPECT_EQ(fresh.port.portNumber(), 1);
    EXPECT_EQ(fresh.port.settings(), "19200,N,8,1");
    EXPECT_EQ(fresh.form.vars.CommSettings, "19200,N,8,1");
    // Opened, then closed and reopened by the COM1 choice that marking "COM1" runs.
    EXPECT_EQ(fresh.port.openCount, 2);
    EXPECT_EQ(fresh.port.takeWritten(), "");
    EXPECT_EQ(fresh.form.vars.LastCommand, "");
    EXPECT_EQ(fresh.window.height, 5200);
    EXPECT_TRUE(fresh.window.centred);
    EXPECT_TRUE(fresh.window.isMarked(kOptionCom1));
    EXPECT_TRUE(fresh.window.isMarked(kOption19200));
    EXPECT_FALSE(fresh.window.isVisible(kPortPanel));
    EXPECT_TRUE(fresh.window.warnings.empty());
    fresh.clock.advance(60000);
    EXPECT_EQ(fresh.port.takeWritten(), "");
}

TEST_F(CommandLinkTest, UnansweredFrameIsMarkedThenTheLinesClear) {
    send("CR0");
    EXPECT_EQ(rig.port.takeWritten(), "CR0\r");
    EXPECT_EQ(rig.label(kTxLine), " C R 0 CR ");
    EXPECT_EQ(rig.form.vars.AwaitingReply, 1);
    rig.clock.advance(499);
    EXPECT_EQ(rig.label(kRxLine), "");
    rig.clock.advance(1);
    EXPECT_EQ(rig.label(kRxLine), " X X X X");
    EXPECT_EQ(rig.form.vars.AwaitingReply, 0);
    rig.clock.advance(499);
    EXPECT_EQ(rig.label(kTxLine), " C R 0 CR ");
    rig.clock.advance(1);
    EXPECT_EQ(rig.label(kTxLine), "");
    EXPECT_EQ(rig.label(kRxLine), "");
    EXPECT_EQ(rig.label(kStatusLine), "");
    EXPECT_FALSE(rig.replyWindowTimer.isEnabled());
    EXPECT_FALSE(rig.monitorHoldTimer.isEnabled());
}

TEST_F(CommandLinkTest, ReplyInPiecesIsRenderedAndDecodedAsItGrows) {
    send("CR0");
    rig.clock.advance(100);
    rig.port.deliver("8");
    EXPECT_EQ(rig.label(kRxLine), " 8 ");
    EXPECT_EQ(rig.form.vars.AwaitingReply, 0);
    EXPECT_EQ(rig.label(kStatusLine), "");
    rig.port.deliver("0\r");
    EXPECT_EQ(rig.label(kRxLine), " 8 0 CR ");
    EXPECT_EQ(rig.label(kStatusLine), " Stand by");
    rig.clock.advance(400);
    // The window ended with a reply: no mark, the rendering stays, the buffer is emptied.
    EXPECT_EQ(rig.label(kRxLine), " 8 0 CR ");
    EXPECT_EQ(rig.form.vars.RxBuffer, "");
    // Later data starts again from an empty buffer.
    rig.port.deliver("4");
    EXPECT_EQ(rig.label(kRxLine), " 4 ");
    rig.clock.advance(500);
    EXPECT_EQ(rig.label(kStatusLine), "");
    EXPECT_EQ(rig.label(kRxLine), "");
}

TEST_F(CommandLinkTest, ReceivedPathRendersTheTextItIsGiven) {
    send("CR0");
    rig.port.deliver("8");
    const std::string other = "00";
    rig.form.link.Hyouji(other, CommandLink::kReceived);
    EXPECT_EQ(rig.label(kRxLine), " 0 0 ");
    EXPECT_EQ(rig.label(kStatusLine), " Power ON");
    // The next receipt shows the whole buffer again, nothing of the other text.
    rig.port.deliver("0");
    EXPECT_EQ(rig.label(kRxLine), " 8 0 ");
    EXPECT_EQ(rig.label(kStatusLine), " Stand by");
}

TEST_F(CommandLinkTest, SecondFrameInsideTheWindowAccumulatesBothReplies) {
    send("C00");
    rig.port.deliver("\x06");
    rig.clock.advance(200);
    send("C02");
    rig.port.deliver("\x06");
    EXPECT_EQ(rig.port.takeWritten(), "C00\rC02\r");
    EXPECT_EQ(rig.label(kRxLine), " ACK ACK ");
    EXPECT_EQ(rig.label(kTxLine), " C 0 2 CR ");
    // The second transmission restarted both timers.
    rig.clock.advance(499);
    EXPECT_EQ(rig.form.vars.RxBuffer, "\x06\x06");
    rig.clock.advance(1);
    EXPECT_EQ(rig.form.vars.RxBuffer, "");
}

TEST_F(CommandLinkTest, DataBeforeAnyTransmissionIsShownButNotDecoded) {
    rig.port.deliver("80\r");
    EXPECT_EQ(rig.label(kRxLine), " 8 0 CR ");
    EXPECT_EQ(rig.label(kStatusLine), "");
    rig.clock.advance(10000);
    // No window runs, so nothing clears it.
    EXPECT_EQ(rig.form.vars.RxBuffer, "80\r");
    rig.port.deliver("x");
    EXPECT_EQ(rig.label(kRxLine), " 8 0 CR x ");
}

TEST_F(CommandLinkTest, ReceiptAfterTheHoldClearedWritesTheRxLineAgain) {
    send("C0B");
    rig.clock.advance(1000);
    EXPECT_EQ(rig.label(kRxLine), "");
    rig.port.deliver("\x06");
    EXPECT_EQ(rig.label(kRxLine), " ACK ");
    rig.clock.advance(5000);
    EXPECT_EQ(rig.label(kRxLine), " ACK ");
}

TEST_F(CommandLinkTest, EmptyReceiveEventShowsTheBufferAgainAfterTheHoldClearedIt) {
    send("C0D");
    rig.clock.advance(600);
    rig.port.deliver("a");
    rig.clock.advance(400);
    EXPECT_EQ(rig.label(kRxLine), "");
    rig.form.link.MSComm1_OnComm(SerialPort::kReceive);
    EXPECT_EQ(rig.label(kRxLine), " a ");
}

TEST_F(CommandLinkTest, OnlyReceiveEventsAreHandled) {
    send("CR1");
    rig.form.link.MSComm1_OnComm(1);
    rig.form.link.MSComm1_OnComm(1009);
    EXPECT_EQ(rig.form.vars.AwaitingReply, 1);
    rig.port.deliver("1\r");
    // An event that finds nothing waiting renders and decodes the buffer again.
    rig.form.window.setCaption(kStatusLine, "");
    rig.form.link.MSComm1_OnComm(SerialPort::kReceive);
    EXPECT_EQ(rig.label(kRxLine), " 1 CR ");
    EXPECT_EQ(rig.label(kStatusLine), " Input 2");
}

TEST_F(CommandLinkTest, ReceivedDataIsBoundedKeepingTheFirstCharacters) {
    std::string stream;
    for (int i = 0; i < 40000; ++i) stream += static_cast<char>(i % 256);
    for (std::size_t at = 0; at < stream.size(); at += 1000)
        rig.port.deliver(stream.substr(at, 1000));
    ASSERT_EQ(rig.form.vars.RxBuffer.size(), 32767u);
    EXPECT_EQ(rig.form.vars.RxBuffer, stream.substr(0, 32767));
    EXPECT_EQ(rig.label(kRxLine), monitorText(stream.substr(0, 32767)));
    // The next reply window's end empties it and rendering starts afresh.
    send("CR0");
    rig.clock.advance(500);
    rig.port.deliver("00\r");
    EXPECT_EQ(rig.label(kRxLine), " 0 0 CR ");
    EXPECT_EQ(rig.label(kStatusLine), " Power ON");
}

TEST(CommandLinkStartUp, MissingPortOneIsReportedAndThePanelKeepsRunning) {
    FormRig rig;
    rig.port.missingPorts = {1};
    rig.form.Form_Load();
    ASSERT_EQ(rig.window.warnings.size(), 1u);
    EXPECT_EQ(rig.window.warnings[0], "No such file or directory");
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_EQ(rig.port.portNumber(), 1);
    EXPECT_EQ(rig.window.height, 5200);
    EXPECT_FALSE(rig.window.ended);
}

TEST(CommandLinkClosedPort, SendingWhileClosedWritesNothingAndSaysSo) {
    FormRig rig;
    rig.port.missingPorts = {1};
    rig.form.Form_Load();
    rig.form.click("Command44");
    EXPECT_EQ(rig.port.takeWritten(), "");
    EXPECT_EQ(rig.form.vars.LastCommand, "CR0\r");
    EXPECT_EQ(rig.label(kTxLine), " C R 0 CR ");
    EXPECT_EQ(rig.label(kStatusLine), " Port not open");
    EXPECT_EQ(rig.form.vars.AwaitingReply, 0);
    EXPECT_FALSE(rig.replyWindowTimer.isEnabled());
    rig.clock.advance(500);
    EXPECT_EQ(rig.label(kRxLine), "");
    rig.clock.advance(500);
    EXPECT_EQ(rig.label(kStatusLine), "");
}

TEST_F(CommandLinkTest, PortFailingWhileOpenIsReportedOnceAndClosed) {
    send("C09");
    rig.port.failWhileOpen("Input/output error");
    ASSERT_EQ(rig.window.warnings.size(), 1u);
    // The system's reason, then which line was lost and how to get it back.
    EXPECT_EQ(rig.window.warnings[0],
              "Input/output error\n"
              "The line on COM1 was lost.\n"
              "\n"
              "Choose COM1 on the port panel to open it again once the device is back.");
    EXPECT_FALSE(rig.port.isOpen());
    rig.clock.advance(2000);
    send("C0A");
    EXPECT_EQ(rig.port.takeWritten(), "C09\r");
    EXPECT_EQ(rig.label(kStatusLine), " Port not open");
    EXPECT_EQ(rig.window.warnings.size(), 1u);
    // Choosing a working port brings the line back.
    rig.form.click(kOptionCom1);
    EXPECT_TRUE(rig.port.isOpen());
    send("C0A");
    EXPECT_EQ(rig.port.takeWritten(), "C0A\r");
}

}  // namespace
}  // namespace zoma
