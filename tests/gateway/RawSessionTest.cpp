// Raw clients on the virtual clock: their frames, their answers back to them alone, the
// framing rule, the depth bound, and raw clients and PJLink sessions on one line.
#include "gateway/RawSession.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gateway/GatewayRig.h"
#include "gateway/PjlinkSession.h"

namespace zoma::gateway {
namespace {

using testing::GatewayRig;
using testing::kAck;
using testing::kNak;
using testing::RecordingConnection;

struct RawClient {
    explicit RawClient(GatewayRig& rig, std::string who = "raw client")
        : session(rig.gateway, connection, std::move(who)) {}
    RecordingConnection connection;
    RawSession session;
};

TEST(RawSessionTest, EachFrameGoesOutAndWhatTheProjectorSaysComesBackToItsClient) {
    struct Case {
        const char* behaviour;
        std::string input;
        std::map<std::string, std::string> replies;
        std::vector<std::string> frames;
        std::string back;
    };
    const Case cases[] = {
        {"an operation", "C00\r", {}, {"C00"}, kAck},
        {"a refused operation", "C7F\r", {{"C7F", kNak}}, {"C7F"}, kNak},
        {"a read-out", "CR0\r", {}, {"CR0"}, "80\r"},
        {"a read-out refused", "CR4\r", {{"CR4", kNak}}, {"CR4"}, kNak},
        {"silence", "C00\r", {{"C00", ""}}, {"C00"}, ""},
        {"three frames in one piece",
         "CR3\rC05\rCR1\r",
         {},
         {"CR3", "C05", "CR1"},
         "0123\r" + kAck + "0\r"},
        {"an answer with bytes after it: only the answer",
         "C00\r",
         {{"C00", kAck + "xy"}},
         {"C00"},
         kAck},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        GatewayRig rig;
        for (const auto& [code, reply] : c.replies) rig.projector.replies[code] = reply;
        RawClient client(rig);
        client.session.receive(c.input);
        rig.clock.advance(3000);
        EXPECT_EQ(rig.projector.frames, c.frames);
        EXPECT_EQ(client.connection.sent, c.back);
        EXPECT_EQ(client.session.depth(), 0u);
    }
}

TEST(RawSessionTest, BytesThatFormNoFrameWithin16CharactersAreDroppedAndTheFramesAfterThemGo) {
    struct Case {
        const char* behaviour;
        std::vector<std::string> pieces;
        std::vector<std::string> frames;
        std::uint64_t dropped;
    };
    const Case cases[] = {
        {"a frame in pieces", {"C", "0", "0", "\r"}, {"C00"}, 0},
        {"junk before a frame", {"xyC00\r"}, {"C00"}, 2},
        {"a line feed after each CR", {"C00\r\nC01\r\n"}, {"C00", "C01"}, 1},
        {"too short", {"AB\r", "\r"}, {}, 4},
        {"16 characters without a CR, then a frame", {"ABCDEFGHIJKLMNOP", "C00\r"}, {"C00"}, 16},
        {"a long run ends in a frame", {std::string(1000, 'z') + "C06\r"}, {"C06"}, 1000},
        {"the last three characters of a long run", {std::string(20, 'z') + "C0B\r"}, {"C0B"}, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        GatewayRig rig;
        RawClient client(rig);
        for (const std::string& piece : c.pieces) {
            client.session.receive(piece);
            EXPECT_LT(client.session.bufferedBytes(), RawSession::kFrameWindow);
        }
        rig.clock.advance(3000);
        EXPECT_EQ(rig.projector.frames, c.frames);
        EXPECT_EQ(client.session.droppedBytes(), c.dropped);
    }
    // One log line, however much junk.
    GatewayRig rig;
    RawClient client(rig, "192.0.2.9:4001");
    client.session.receive(std::string(1000, 'z') + "C00\r" + std::string(100, 'z') + "\r");
    const std::vector<std::string> expected = {
        "raw 192.0.2.9:4001: connected",
        "raw 192.0.2.9:4001: dropping bytes that are no frame",
    };
    EXPECT_EQ(rig.logs, expected);
}

TEST(RawSessionTest, AHeldButtonsFramesWaitAtMostFourDeepAndTheRestAreRefusedNotSentLate) {
    GatewayRig rig;
    RawClient client(rig, "panel");
    // The panel's 5 ms repeat against a projector that answers in 20 ms.
    for (int i = 0; i < 40; ++i) {
        client.session.receive("C09\r");
        EXPECT_LE(client.session.depth(), RawSession::kMaxDepth);
        rig.clock.advance(5);
    }
    // Released: whatever was in hand goes, nothing more.
    const std::size_t inHand = client.session.depth();
    const std::size_t sentAtRelease = rig.projector.frames.size();
    rig.clock.advance(3000);
    EXPECT_EQ(rig.projector.frames.size(), sentAtRelease + inHand - 1);
    const std::uint64_t refused = client.session.refusedFrames();
    EXPECT_EQ(rig.projector.frames.size() + refused, 40u);
    EXPECT_GT(refused, 0u);
    // Each sent frame's ACK came back to the panel.
    EXPECT_EQ(client.connection.sent, std::string(rig.projector.frames.size(), kAck[0]));
    // Every refusal is reported; the log says so once for the hold.
    std::size_t failed = 0;
    for (const RequestEvent& event : rig.events) {
        EXPECT_EQ(event.source, RequestSource::Raw);
        if (event.verdict == Verdict::Failed) ++failed;
    }
    EXPECT_EQ(failed, refused);
    const std::vector<std::string> logs = {
        "raw panel: connected",
        "raw panel: refusing frames beyond 4 in hand",
        "raw panel: " + std::to_string(refused) + " frames refused",
    };
    EXPECT_EQ(rig.logs, logs);
    // The depth frees as answers come: the next press goes.
    client.session.receive("C0A\r");
    rig.clock.advance(100);
    EXPECT_EQ(rig.projector.frames.back(), "C0A");
}

TEST(RawSessionTest, RawClientsAndPjlinkSessionsShareTheLineEachHearingOnlyItsOwnAnswers) {
    GatewayRig rig;
    rig.projector.replies["CR0"] = "00\r";
    RawClient panel(rig, "panel");
    RawClient script(rig, "script");
    RecordingConnection controller;
    PjlinkSession pjlink(rig.gateway, controller, "controller");
    pjlink.start();
    controller.take();
    // Every frame and line arrives whole, all at once.
    panel.session.receive("C09\r");
    pjlink.receive("%1INPT 23\r");
    script.session.receive("CR3\r");
    panel.session.receive("CR1\r");
    pjlink.receive("%1AVMT ?\r%1POWR ?\r");
    script.session.receive("C0D\r");
    rig.clock.advance(3000);
    const std::vector<std::string> frames = {"C09", "CR0", "C24", "CR3", "CR1", "C0D", "CR0"};
    EXPECT_EQ(rig.projector.frames, frames);
    EXPECT_EQ(panel.connection.sent, kAck + "0\r");
    EXPECT_EQ(script.connection.sent, "0123\r" + kAck);
    // AVMT ? was answered from the memory before the script's No Show went out.
    EXPECT_EQ(controller.take(), "%1INPT=OK\r%1AVMT=30\r%1POWR=1\r");
    EXPECT_EQ(rig.gateway.memory().lastInputCode(), "C24");
    EXPECT_TRUE(rig.gateway.memory().videoMuted());
}

TEST(RawSessionTest, FramesAcknowledgedThroughARawClientAreWhatPjlinkThenReports) {
    GatewayRig rig;
    rig.projector.replies["CR0"] = "00\r";
    rig.projector.replies["CR1"] = "2\r";
    rig.projector.replies["C0B"] = kNak;
    RawClient panel(rig);
    panel.session.receive("C26\rC0D\rC0B\r");
    rig.clock.advance(1000);
    RecordingConnection controller;
    PjlinkSession pjlink(rig.gateway, controller, "controller");
    pjlink.start();
    pjlink.receive("%1INPT ?\r%1AVMT ?\r");
    rig.clock.advance(1000);
    EXPECT_EQ(controller.sent, "PJLINK 0\r%1INPT=14\r%1AVMT=11\r");
}

TEST(RawSessionTest, AFrameWhileTheLineIsDownGetsNothingBackAndADisconnectedClientsFramesStay) {
    GatewayRig rig;
    RawClient client(rig);
    rig.port.failWhileOpen("gone");
    client.session.receive("C00\r");
    EXPECT_EQ(client.connection.sent, "");
    EXPECT_EQ(client.session.depth(), 0u);
    ASSERT_EQ(rig.events.size(), 1u);
    EXPECT_EQ(rig.events[0].verdict, Verdict::Failed);
    rig.port.open();
    {
        RawClient leaving(rig);
        leaving.session.receive("C01\rC02\rC03\r");
    }
    rig.clock.advance(3000);
    // The first was on the line already; the two waiting ones were taken back.
    EXPECT_EQ(rig.projector.frames, std::vector<std::string>{"C01"});
    EXPECT_EQ(rig.queue.waiting(), 0u);
}

}  // namespace
}  // namespace zoma::gateway
