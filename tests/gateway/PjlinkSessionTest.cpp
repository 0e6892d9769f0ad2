// PJLink connections on the virtual clock: every class 1 command in every power state, the
// password exchange, the line's failures, the answer time and the idle close.
#include "gateway/PjlinkSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gateway/GatewayRig.h"

namespace zoma::gateway {
namespace {

using testing::GatewayRig;
using testing::kAck;
using testing::kNak;
using testing::RecordingConnection;

// A connection to the gateway, greeted and ready.
struct Client {
    explicit Client(GatewayRig& rig, std::string who = "client")
        : rig(rig), session(rig.gateway, connection, std::move(who)) {
        session.start();
    }

    // Sends the line with its CR and returns what came back within three seconds.
    std::string ask(const std::string& line) {
        connection.take();
        session.receive(line + '\r');
        rig.clock.advance(3000);
        return connection.take();
    }

    GatewayRig& rig;
    RecordingConnection connection;
    PjlinkSession session;
};

TEST(PjlinkSessionTest, EveryCommandIsAnsweredAsThePowerTableSaysAndSetsGoOutOnlyWhenOk) {
    struct Row {
        const char* powerReply;
        const char* power;
        const char* lamp;
        const char* errors;
        const char* powerOn;
        const char* powerOff;
        const char* input;
        const char* mutes;
    };
    const Row rows[] = {
        {"00", "1", "123 1", "000000", "OK", "OK", "OK", "OK"},             // Power ON
        {"02", "1", "123 1", "000000", "ERR3", "ERR3", "ERR3", "ERR3"},     // Key input prohibition
        {"40", "3", "123 1", "000000", "ERR3", "ERR3", "ERR3", "ERR3"},     // Count down
        {"20", "2", "123 0", "000000", "ERR3", "ERR3", "ERR3", "ERR3"},     // Cooling down
        {"24", "2", "123 0", "000000", "ERR3", "ERR3", "ERR3", "ERR3"},     // PM Cooling
        {"80", "0", "123 0", "000000", "OK", "ERR3", "ERR3", "ERR3"},       // Stand by
        {"04", "0", "123 0", "000000", "OK", "ERR3", "ERR3", "ERR3"},       // Power Management
        {"10", "ERR4", "123 0", "000002", "ERR4", "ERR4", "ERR4", "ERR4"},  // Power abnormality
        {"28", "ERR4", "123 0", "002000", "ERR4", "ERR4", "ERR4", "ERR4"},  // Temperature
        {"08", "ERR4", "123 0", "002000", "ERR4", "ERR4", "ERR4", "ERR4"},  // Temperature
        {"88", "ERR4", "123 0", "002000", "ERR4", "ERR4", "ERR4", "ERR4"},  // Temperature
        {"99", "ERR4", "ERR4", "ERR4", "ERR4", "ERR4", "ERR4", "ERR4"},     // not a state
        {"0", "ERR4", "ERR4", "ERR4", "ERR4", "ERR4", "ERR4", "ERR4"},      // too short
    };
    struct Column {
        const char* line;
        const char* Row::*answer;
        // What the set sends after its "CR0" read when it is answered OK.
        std::vector<std::string> setFrames;
        // The read-outs a get sends.
        std::vector<std::string> getFrames;
    };
    const Column columns[] = {
        {"%1POWR ?", &Row::power, {}, {"CR0"}},
        {"%1LAMP ?", &Row::lamp, {}, {"CR3", "CR0"}},
        {"%1ERST ?", &Row::errors, {}, {"CR0"}},
        {"%1POWR 1", &Row::powerOn, {"C00"}, {}},
        {"%1POWR 0", &Row::powerOff, {"C02"}, {}},
        {"%1INPT 12", &Row::input, {"C06"}, {}},
        {"%1AVMT 31", &Row::mutes, {"C0D", "C0B"}, {}},
    };
    for (const Row& row : rows) {
        for (const Column& column : columns) {
            SCOPED_TRACE(std::string(row.powerReply) + " " + column.line);
            GatewayRig rig;
            rig.projector.replies["CR0"] = std::string(row.powerReply) + '\r';
            Client client(rig);
            const std::string answer = row.*column.answer;
            const std::string header = std::string(column.line).substr(0, 6);
            EXPECT_EQ(client.ask(column.line), header + '=' + answer + '\r');
            std::vector<std::string> frames = column.getFrames;
            if (frames.empty()) {
                frames.push_back("CR0");
                if (answer == "OK") {
                    frames.insert(frames.end(), column.setFrames.begin(), column.setFrames.end());
                }
            }
            EXPECT_EQ(rig.projector.frames, frames);
        }
    }
}

TEST(PjlinkSessionTest, ASetIsOkOnlyWhenEveryFrameIsAcknowledged) {
    struct Case {
        const char* behaviour;
        std::map<std::string, std::string> replies;
        const char* line;
        const char* response;
        std::vector<std::string> frames;
    };
    const Case cases[] = {
        {"an ACK", {}, "%1INPT 31", "%1INPT=OK\r", {"CR0", "C22"}},
        {"a NAK", {{"C22", kNak}}, "%1INPT 31", "%1INPT=ERR3\r", {"CR0", "C22"}},
        {"silence", {{"C22", ""}}, "%1INPT 31", "%1INPT=ERR4\r", {"CR0", "C22"}},
        {"the second of two frames refused",
         {{"C0C", kNak}},
         "%1AVMT 30",
         "%1AVMT=ERR3\r",
         {"CR0", "C0E", "C0C"}},
        {"the power state refused", {{"CR0", kNak}}, "%1POWR 0", "%1POWR=ERR3\r", {"CR0"}},
        {"the power state unanswered", {{"CR0", ""}}, "%1POWR 0", "%1POWR=ERR4\r", {"CR0"}},
        {"the lamp hours unreadable",
         {{"CR3", "01x3\r"}},
         "%1LAMP ?",
         "%1LAMP=ERR4\r",
         {"CR3", "CR0"}},
        {"the lamp hours unanswered", {{"CR3", ""}}, "%1LAMP ?", "%1LAMP=ERR4\r", {"CR3"}},
        {"the terminal unreadable", {{"CR1", "7\r"}}, "%1INPT ?", "%1INPT=ERR4\r", {"CR1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        GatewayRig rig;
        rig.projector.replies["CR0"] = "00\r";
        for (const auto& [code, reply] : c.replies) rig.projector.replies[code] = reply;
        Client client(rig);
        EXPECT_EQ(client.ask(c.line), c.response);
        EXPECT_EQ(rig.projector.frames, c.frames);
    }
}

TEST(PjlinkSessionTest, ASetsFrameFollowsItsPowerReadAheadOfOtherWaitingRequests) {
    GatewayRig rig;
    rig.projector.replies["CR0"] = "00\r";
    Client client(rig);
    client.session.receive("%1INPT 13\r");
    // A raw client's frames queued while the read is on the line.
    for (const char* code : {"C09", "C0A"}) {
        Request request;
        request.frames = {frameFor(code)};
        rig.queue.submit(std::move(request));
    }
    rig.clock.advance(1000);
    EXPECT_EQ(rig.projector.frames, (std::vector<std::string>{"CR0", "C25", "C09", "C0A"}));
    EXPECT_EQ(client.connection.take().substr(9), "%1INPT=OK\r");
}

TEST(PjlinkSessionTest, InputsAreTheirCodesAndTheInputIsTheTerminalsWithTheGatewaysMemory) {
    struct Chosen {
        const char* parameter;
        const char* code;
    };
    const Chosen inputs[] = {{"11", "C05"}, {"12", "C06"}, {"13", "C25"}, {"14", "C26"},
                             {"21", "C07"}, {"22", "C08"}, {"23", "C24"}, {"31", "C22"}};
    for (const Chosen& input : inputs) {
        SCOPED_TRACE(input.parameter);
        GatewayRig rig;
        rig.projector.replies["CR0"] = "00\r";
        Client client(rig);
        EXPECT_EQ(client.ask(std::string("%1INPT ") + input.parameter), "%1INPT=OK\r");
        EXPECT_EQ(rig.projector.frames.back(), input.code);
    }

    struct Case {
        const char* behaviour;
        const char* chosen;  // INPT before, or nothing
        const char* terminal;
        const char* answer;
    };
    const Case cases[] = {
        {"terminal 1 before any choice", nullptr, "0", "11"},
        {"terminal 2 before any choice", nullptr, "1", "12"},
        {"terminal 3 before any choice", nullptr, "2", "22"},
        {"the chosen input on its terminal", "13", "1", "13"},
        {"the digital input on terminal 1", "31", "0", "31"},
        {"S-video on terminal 3", "23", "2", "23"},
        {"another terminal than the chosen input's", "13", "2", "22"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        GatewayRig rig;
        rig.projector.replies["CR0"] = "00\r";
        rig.projector.replies["CR1"] = std::string(c.terminal) + '\r';
        Client client(rig);
        if (c.chosen) client.ask(std::string("%1INPT ") + c.chosen);
        EXPECT_EQ(client.ask("%1INPT ?"), std::string("%1INPT=") + c.answer + '\r');
    }

    GatewayRig rig;
    Client client(rig);
    EXPECT_EQ(client.ask("%1INST ?"), "%1INST=11 12 13 14 21 22 23 31\r");
    EXPECT_TRUE(rig.projector.frames.empty());
}

TEST(PjlinkSessionTest, MutesAreAnsweredFromTheCodesLastAcknowledgedBothOffBeforeAny) {
    GatewayRig rig;
    rig.projector.replies["CR0"] = "00\r";
    Client client(rig);
    struct Step {
        const char* line;
        const char* response;
    };
    const Step steps[] = {
        {"%1AVMT ?", "%1AVMT=30\r"},  {"%1AVMT 11", "%1AVMT=OK\r"}, {"%1AVMT ?", "%1AVMT=11\r"},
        {"%1AVMT 21", "%1AVMT=OK\r"}, {"%1AVMT ?", "%1AVMT=31\r"},  {"%1AVMT 10", "%1AVMT=OK\r"},
        {"%1AVMT ?", "%1AVMT=21\r"},  {"%1AVMT 30", "%1AVMT=OK\r"}, {"%1AVMT ?", "%1AVMT=30\r"},
        {"%1AVMT 31", "%1AVMT=OK\r"}, {"%1AVMT ?", "%1AVMT=31\r"},  {"%1AVMT 20", "%1AVMT=OK\r"},
        {"%1AVMT ?", "%1AVMT=11\r"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.line);
        EXPECT_EQ(client.ask(step.line), step.response);
    }
    // A refused mute leaves the memory as it was; one acknowledged of two still counts.
    EXPECT_EQ(client.ask("%1AVMT 31"), "%1AVMT=OK\r");
    rig.projector.replies["C0C"] = kNak;
    EXPECT_EQ(client.ask("%1AVMT 30"), "%1AVMT=ERR3\r");
    EXPECT_EQ(client.ask("%1AVMT ?"), "%1AVMT=21\r");
}

TEST(PjlinkSessionTest, LinesThatAreNoValidCommandAreAnsweredAsPjlinkSaysWithoutTheProjector) {
    const std::string longParameter(129, '1');
    struct Case {
        std::string line;
        std::string response;  // empty: no answer at all
    };
    const Case cases[] = {
        {"%1powr ?", "%1powr=ERR1\r"},
        {"%2POWR ?", "%2POWR=ERR1\r"},
        {"%XPOWR ?", "%XPOWR=ERR1\r"},
        {"%1ABCD ?", "%1ABCD=ERR1\r"},
        {"%2ABCD " + longParameter, "%2ABCD=ERR1\r"},
        {"%1POWR", "%1POWR=ERR2\r"},
        {"%1POWR?", "%1POWR=ERR2\r"},
        {"%1POWR ", "%1POWR=ERR2\r"},
        {"%1POWR 2", "%1POWR=ERR2\r"},
        {"%1POWR  1", "%1POWR=ERR2\r"},
        {"%1POWR 1 ", "%1POWR=ERR2\r"},
        {"%1POWR ??", "%1POWR=ERR2\r"},
        {"%1INPT 15", "%1INPT=ERR2\r"},
        {"%1INPT 1", "%1INPT=ERR2\r"},
        {"%1AVMT 32", "%1AVMT=ERR2\r"},
        {"%1AVMT 01", "%1AVMT=ERR2\r"},
        {"%1LAMP 1", "%1LAMP=ERR2\r"},
        {"%1ERST 0", "%1ERST=ERR2\r"},
        {"%1INST 11", "%1INST=ERR2\r"},
        {"%1CLSS 1", "%1CLSS=ERR2\r"},
        {"%1NAME " + longParameter, "%1NAME=ERR2\r"},
        {"%1POWR " + std::string(1000, '1'), "%1POWR=ERR2\r"},
        {"%1NAME ?", "%1NAME=LT540\r"},
        {"%1INF1 ?", "%1INF1=ZOMA\r"},
        {"%1INF2 ?", "%1INF2=LT540\r"},
        {"%1INFO ?", "%1INFO=zoma-gateway 9.9\r"},
        {"%1CLSS ?", "%1CLSS=1\r"},
        {"\n%1CLSS ?", "%1CLSS=1\r"},
        {"", ""},
        {"POWR ?", ""},
        {"%1PO", ""},
        {std::string(500, 'x'), ""},
    };
    GatewaySettings settings;
    settings.info = "zoma-gateway 9.9";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.substr(0, 40));
        GatewayRig rig(settings);
        Client client(rig);
        EXPECT_EQ(client.ask(c.line), c.response);
        EXPECT_TRUE(rig.projector.frames.empty());
        EXPECT_FALSE(client.session.closed());
        // Whatever came before, the next line is answered.
        EXPECT_EQ(client.ask("%1CLSS ?"), "%1CLSS=1\r");
    }
}

TEST(PjlinkSessionTest, TheGatewaysOwnTextsAreCutToWhatAResponseMayCarry) {
    GatewaySettings settings;
    settings.name = std::string(70, 'n') + "\r";
    settings.model = "LT47\x01";
    settings.info = std::string(40, 'i');
    GatewayRig rig(settings);
    Client client(rig);
    EXPECT_EQ(client.ask("%1NAME ?"), "%1NAME=" + std::string(64, 'n') + '\r');
    EXPECT_EQ(client.ask("%1INF2 ?"), "%1INF2=LT47\r");
    EXPECT_EQ(client.ask("%1INFO ?"), "%1INFO=" + std::string(32, 'i') + '\r');
}

TEST(PjlinkSessionTest, ThePasswordExchangeLetsInOnlyTheRightDigestOnTheFirstCommand) {
    const std::string digest = "5d8409bc1c3fa39749434aa3a5c38682";
    std::string upper = digest;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    struct Case {
        const char* behaviour;
        std::string firstLine;
        std::string response;
        bool closed;
    };
    const Case cases[] = {
        {"the right digest", digest + "%1POWR ?", "%1POWR=0\r", false},
        {"the right digest in upper case", upper + "%1POWR ?", "%1POWR=0\r", false},
        {"the right digest alone", digest, "", false},
        {"no digest", "%1POWR ?", "PJLINK ERRA\r", true},
        {"a wrong digest", "5d8409bc1c3fa39749434aa3a5c38683%1POWR ?", "PJLINK ERRA\r", true},
        {"a digest with a space", digest + " %1POWR ?", "", false},
        {"half a digest", digest.substr(0, 16) + "%1POWR ?", "PJLINK ERRA\r", true},
        {"garbage", "hello", "PJLINK ERRA\r", true},
    };
    GatewaySettings settings;
    settings.password = "JBMIAProjectorLink";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        GatewayRig rig(settings);
        RecordingConnection connection;
        PjlinkSession session(rig.gateway, connection, "client");
        session.start();
        EXPECT_EQ(connection.take(), "PJLINK 1 498e4a67\r");
        session.receive(c.firstLine + '\r');
        rig.clock.advance(1000);
        EXPECT_EQ(connection.take(), c.response);
        EXPECT_EQ(connection.closed, c.closed);
        if (c.closed) {
            // Nothing reached the projector, and nothing more is answered.
            EXPECT_TRUE(rig.projector.frames.empty());
            session.receive(digest + "%1CLSS ?\r%1CLSS ?\r");
            rig.clock.advance(1000);
            EXPECT_EQ(connection.sentAfterClose, "");
        } else {
            // Later commands need no digest, and may carry it again.
            session.receive("%1CLSS ?\r" + digest + "%1INF1 ?\r");
            rig.clock.advance(1000);
            EXPECT_EQ(connection.take(), "%1CLSS=1\r%1INF1=ZOMA\r");
        }
    }
}

TEST(PjlinkSessionTest,
     NothingIsAnsweredBeforeTheDigestAndAConnectionWithoutSecureRandomIsRefused) {
    GatewaySettings settings;
    settings.password = "secret";
    {
        GatewayRig rig(settings);
        RecordingConnection connection;
        PjlinkSession session(rig.gateway, connection, "client");
        session.start();
        connection.take();
        // Empty lines and line feeds carry nothing: still waiting for the digest.
        session.receive("\r\n\r\n");
        EXPECT_EQ(connection.take(), "");
        EXPECT_FALSE(session.authenticated());
        // The first line that says anything decides.
        session.receive("%1CLSS ?\r%1CLSS ?\r");
        EXPECT_EQ(connection.take(), "PJLINK ERRA\r");
    }
    {
        GatewayRig rig(settings, [](std::size_t) { return std::string(); });
        RecordingConnection connection;
        PjlinkSession session(rig.gateway, connection, "client");
        session.start();
        EXPECT_EQ(connection.sent, "");
        EXPECT_TRUE(connection.closed);
    }
}

TEST(PjlinkSessionTest, EveryCommandThatNeedsTheLineIsErr4WhileItIsDownAndAnsweredOnceItIsBack) {
    GatewayRig rig;
    rig.projector.replies["CR0"] = "00\r";
    Client client(rig);
    rig.port.failWhileOpen("Input/output error");
    struct Case {
        const char* line;
        const char* whileDown;
        const char* onceBack;
    };
    const Case cases[] = {
        {"%1POWR ?", "%1POWR=ERR4\r", "%1POWR=1\r"},
        {"%1POWR 1", "%1POWR=ERR4\r", "%1POWR=OK\r"},
        {"%1INPT 11", "%1INPT=ERR4\r", "%1INPT=OK\r"},
        {"%1INPT ?", "%1INPT=ERR4\r", "%1INPT=11\r"},
        {"%1AVMT 11", "%1AVMT=ERR4\r", "%1AVMT=OK\r"},
        {"%1AVMT ?", "%1AVMT=ERR4\r", "%1AVMT=11\r"},
        {"%1ERST ?", "%1ERST=ERR4\r", "%1ERST=000000\r"},
        {"%1LAMP ?", "%1LAMP=ERR4\r", "%1LAMP=123 1\r"},
        {"%1INST ?", "%1INST=ERR4\r", "%1INST=11 12 13 14 21 22 23 31\r"},
        {"%1NAME ?", "%1NAME=LT540\r", "%1NAME=LT540\r"},
        {"%1INF1 ?", "%1INF1=ZOMA\r", "%1INF1=ZOMA\r"},
        {"%1INF2 ?", "%1INF2=LT540\r", "%1INF2=LT540\r"},
        {"%1CLSS ?", "%1CLSS=1\r", "%1CLSS=1\r"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(client.ask(c.line), c.whileDown);
    }
    EXPECT_TRUE(rig.projector.frames.empty());
    rig.port.open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(client.ask(c.line), c.onceBack);
    }
}

TEST(PjlinkSessionTest, ALineThatFailsUnderACommandAnswersItErr4) {
    GatewayRig rig;
    rig.projector.replies["CR0"] = "00\r";
    rig.projector.replies["C05"] = "";
    Client client(rig);
    client.session.receive("%1INPT 11\r");
    rig.clock.advance(100);  // the read is done, the input's frame waits for its answer
    rig.port.failWhileOpen("Input/output error");
    EXPECT_EQ(client.connection.take().substr(9), "%1INPT=ERR4\r");
}

TEST(PjlinkSessionTest, ACommandWhoseTurnHasNotComeWithinTheAnswerTimeIsErr3AndNeverSent) {
    GatewayRig rig;
    Client client(rig);
    client.connection.take();
    // A held button's frames keep the line for 3 s.
    Request held;
    held.frames = {frameFor("C09")};
    held.repeat = 12;
    held.periodMs = 250;
    rig.queue.submit(std::move(held));
    client.session.receive("%1POWR ?\r");
    rig.clock.advance(PjlinkSession::kAnswerTimeMs - 1);
    EXPECT_EQ(client.connection.sent, "");
    rig.clock.advance(1);
    EXPECT_EQ(client.connection.take(), "%1POWR=ERR3\r");
    rig.clock.advance(5000);
    EXPECT_EQ(std::count(rig.projector.frames.begin(), rig.projector.frames.end(), "CR0"), 0);
    ASSERT_FALSE(rig.events.empty());
    EXPECT_EQ(rig.events.back().source, RequestSource::Pjlink);
    EXPECT_EQ(rig.events.back().verdict, Verdict::Failed);
    EXPECT_FALSE(rig.events.back().replyMs.has_value());

    // A command whose turn comes just in time is answered when it ends, even past 2 s.
    Request shorter;
    shorter.frames = {frameFor("C09")};
    shorter.repeat = 8;
    shorter.periodMs = 250;
    rig.queue.submit(std::move(shorter));
    rig.projector.replies["CR0"] = "";
    client.session.receive("%1POWR ?\r");
    rig.clock.advance(PjlinkSession::kAnswerTimeMs);
    EXPECT_EQ(client.connection.sent, "");
    rig.clock.advance(1000);
    EXPECT_EQ(client.connection.take(), "%1POWR=ERR4\r");
}

TEST(PjlinkSessionTest, AConnectionIdleFor30SecondsIsClosedAndEveryLineRestartsTheCount) {
    struct Case {
        const char* behaviour;
        std::string password;
        std::vector<int> linesAt;  // ms after the greeting
        std::int64_t closedAt;
    };
    const Case cases[] = {
        {"no line at all", "", {}, 30000},
        {"one line at 29 s", "", {29000}, 59000},
        {"two lines", "", {10000, 35000}, 65000},
        {"before authentication", "secret", {}, 30000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        GatewaySettings settings;
        settings.password = c.password;
        GatewayRig rig(settings);
        RecordingConnection connection;
        PjlinkSession session(rig.gateway, connection, "client");
        session.start();
        std::int64_t at = 0;
        for (int lineAt : c.linesAt) {
            rig.clock.advance(lineAt - at);
            at = lineAt;
            session.receive("%1CLSS ?\r");
        }
        // Bytes without a CR are no line: they do not keep a connection open.
        session.receive("%1CL");
        rig.clock.advance(c.closedAt - at - 1);
        EXPECT_FALSE(connection.closed);
        rig.clock.advance(1);
        EXPECT_TRUE(connection.closed);
        EXPECT_TRUE(session.closed());
    }
}

TEST(PjlinkSessionTest, LinesSentAheadWaitTheirTurnAFewDeepAndAreAnsweredInOrder) {
    GatewayRig rig;
    rig.projector.replies["CR0"] = "00\r";
    Client client(rig);
    client.connection.take();
    // The first is taken up at once; four wait; the sixth is one too many.
    client.session.receive("%1POWR ?\r%1INF1 ?\r%1LAMP ?\r%1CLSS ?\r%1ERST ?\r%1NAME ?\r");
    EXPECT_LE(client.session.bufferedBytes(), 4 * PjlinkSession::kMaxKeptLine);
    rig.clock.advance(3000);
    EXPECT_EQ(client.connection.take(),
              "%1POWR=1\r%1INF1=ZOMA\r%1LAMP=123 1\r%1CLSS=1\r%1ERST=000000\r");
    EXPECT_EQ(rig.projector.frames, (std::vector<std::string>{"CR0", "CR3", "CR0", "CR0"}));
    // Endless input without a CR is not kept.
    client.session.receive(std::string(100000, '%'));
    EXPECT_LE(client.session.bufferedBytes(), PjlinkSession::kMaxKeptLine);
    client.session.receive("\r");
    EXPECT_EQ(client.ask("%1CLSS ?"), "%1CLSS=1\r");
}

TEST(PjlinkSessionTest, AClosedOrDestroyedSessionTakesBackItsWaitingRequestAndIgnoresLateEnds) {
    GatewayRig rig;
    Request held;
    held.frames = {frameFor("C09")};
    held.repeat = 4;
    held.periodMs = 250;
    rig.queue.submit(std::move(held));
    {
        Client waiting(rig, "waiting");
        waiting.session.receive("%1POWR ?\r");
    }
    auto onLine = std::make_unique<Client>(rig, "on the line");
    rig.clock.advance(2000);
    onLine->session.receive("%1LAMP ?\r");
    rig.clock.advance(5);  // "CR3" is out, its answer due
    onLine.reset();
    rig.clock.advance(2000);
    // The request on the line runs to its end; nobody hears it.
    EXPECT_EQ(rig.projector.frames,
              (std::vector<std::string>{"C09", "C09", "C09", "C09", "CR3", "CR0"}));
    EXPECT_EQ(rig.queue.waiting(), 0u);
    EXPECT_EQ(rig.clock.timerCount(), 4u);  // the rig's own: each session's went with it
}

TEST(PjlinkSessionTest, EachRequestIsReportedWithItsSourceVerdictAndReplyTime) {
    GatewaySettings settings;
    settings.verbose = true;
    GatewayRig rig(settings);
    rig.projector.replies["CR0"] = "00\r";
    rig.projector.replies["C00"] = kNak;
    Client client(rig, "192.0.2.7:51234");
    client.ask("%1LAMP ?");
    client.ask("%1POWR 1");
    ASSERT_EQ(rig.events.size(), 3u);
    EXPECT_EQ(rig.events[0].verdict, Verdict::Ok);
    EXPECT_EQ(rig.events[0].replyMs, 2 * testing::ReplyingProjector::kDelayMs);
    EXPECT_EQ(rig.events[1].verdict, Verdict::Ok);
    EXPECT_EQ(rig.events[2].verdict, Verdict::Refused);
    EXPECT_EQ(rig.events[2].replyMs, testing::ReplyingProjector::kDelayMs);
    for (const RequestEvent& event : rig.events) EXPECT_EQ(event.source, RequestSource::Pjlink);
    const std::vector<std::string> expected = {
        "pjlink 192.0.2.7:51234: connected",         "pjlink 192.0.2.7:51234: CR3 CR0 ok 40 ms",
        "pjlink 192.0.2.7:51234: %1LAMP ? -> 123 1", "pjlink 192.0.2.7:51234: CR0 ok 20 ms",
        "pjlink 192.0.2.7:51234: C00 refused 20 ms", "pjlink 192.0.2.7:51234: %1POWR 1 -> ERR3",
    };
    EXPECT_EQ(rig.logs, expected);
}

}  // namespace
}  // namespace zoma::gateway
