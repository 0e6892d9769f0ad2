// The metrics' polls on the virtual clock: in the background of the clients' requests and of a
// held button's frames, and what a scrape then serves.
#include "gateway/Poller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gateway/HttpSession.h"
#include "gateway/RawSession.h"
#include "tests/gateway/GatewayRig.h"

namespace zoma::gateway {
namespace {

using testing::GatewayRig;
using testing::RecordingConnection;

bool hasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

class PollerTest : public ::testing::Test {
  protected:
    PollerTest() {
        rig.projector.replies["CR6"] = "+38.5 +45.0 +41.0\r";
        rig.projector.replies["CR4"] = "11\r";
        rig.gateway.onRequest = [this](const RequestEvent& event) {
            metrics.requestEnded(
                sourceName(event.source),
                event.verdict == Verdict::NoReply ? "no_reply" : verdictName(event.verdict),
                event.replyMs ? std::optional<double>(*event.replyMs / 1000.0) : std::nullopt);
        };
    }

    // The codes that went out from `from` on.
    std::vector<std::string> framesFrom(std::size_t from) const {
        return {rig.projector.frames.begin() + static_cast<long>(from), rig.projector.frames.end()};
    }

    GatewayRig rig;
    MetricsText metrics{"1.31", "/dev/ttyUSB0", "LT540"};
    Poller poller{rig.gateway, metrics, rig.clock.makeTimer(), 60,
                  [this] { return 1765137600.0 + static_cast<double>(rig.clock.now()) / 1000; }};
};

TEST_F(PollerTest, EveryReadOutIsPolledAndAScrapeServesItsValues) {
    metrics.setLineOpen(true);
    poller.start();
    rig.clock.advance(1000);
    EXPECT_EQ(rig.projector.frames, (std::vector<std::string>{"CR0", "CR3", "CR6", "CR1", "CR4"}));
    const std::string text = metrics.render();
    for (const char* line :
         {"zoma_up 1", "zoma_power_state{state=\"standby\"} 1", "zoma_lamp_time_seconds 442800",
          "zoma_temperature_celsius{sensor=\"s2\"} 45", "zoma_input 1",
          "zoma_orientation{orientation=\"normal\"} 1",
          "zoma_requests_total{source=\"poll\",result=\"ok\"} 5",
          "zoma_reply_time_seconds_count 5"}) {
        EXPECT_TRUE(hasLine(text, line)) << line << "\n" << text;
    }
    // The next poll a minute later; a projector that stops answering makes it down.
    rig.projector.replies = {{"CR0", ""}, {"CR1", ""}, {"CR3", ""}, {"CR4", ""}, {"CR6", ""}};
    // Five reads, each waiting its reply window and the quiet gap after it.
    rig.clock.advance(59000 + 5 * (500 + RequestQueue::kQuietGapMs));
    EXPECT_EQ(rig.projector.frames.size(), 10u);
    EXPECT_TRUE(hasLine(metrics.render(), "zoma_up 0"));
    // The last values read stay, and so does the time the projector last answered.
    EXPECT_TRUE(hasLine(metrics.render(), "zoma_lamp_time_seconds 442800"));
    EXPECT_TRUE(hasLine(metrics.render(), "zoma_last_poll_timestamp_seconds 1765137600.1"));
}

TEST_F(PollerTest, PollsWaitForClientsAndForAHeldButtonsFramesAndResumeAfter) {
    // A raw client's held button: a frame every 5 ms for 400 ms, each answered in 20 ms.
    RecordingConnection connection;
    RawSession raw(rig.gateway, connection, "raw 127.0.0.1:4001");
    raw.receive("C30\r");
    poller.start();
    for (int at = 5; at < 400; at += 5) {
        rig.clock.advance(5);
        raw.receive("C30\r");
    }
    // Every frame so far is the held button's: the polls have kept off the line.
    const std::vector<std::string> during = rig.projector.frames;
    EXPECT_TRUE(std::all_of(during.begin(), during.end(),
                            [](const std::string& code) { return code == "C30"; }));
    // Once the frames stop (the last few in hand go first), the polls go, after the held
    // button's quiet time.
    rig.clock.advance(RequestQueue::kHeldQuietMs + 1000);
    std::vector<std::string> after = framesFrom(during.size());
    after.erase(after.begin(), std::find(after.begin(), after.end(), "CR0"));
    EXPECT_EQ(after, (std::vector<std::string>{"CR0", "CR3", "CR6", "CR1", "CR4"}));
    const auto firstPoll =
        std::find(rig.projector.frames.begin(), rig.projector.frames.end(), "CR0");
    EXPECT_EQ(std::find(firstPoll, rig.projector.frames.end(), "C30"), rig.projector.frames.end());
    const std::int64_t lastHeld =
        rig.projector
            .sentAt[static_cast<std::size_t>(firstPoll - rig.projector.frames.begin()) - 1];
    EXPECT_GE(
        rig.projector.sentAt[static_cast<std::size_t>(firstPoll - rig.projector.frames.begin())],
        lastHeld + RequestQueue::kHeldQuietMs);

    // A client's request that comes while a poll waits goes first.
    const std::size_t before = rig.projector.frames.size();
    rig.clock.advance(60000 - RequestQueue::kHeldQuietMs - 1000 - 400);
    raw.receive("C00\r");
    rig.clock.advance(2000);
    const std::vector<std::string> next = framesFrom(before);
    ASSERT_FALSE(next.empty());
    EXPECT_EQ(next.front(), "C00");
    EXPECT_EQ(next.size(), 6u);
}

TEST_F(PollerTest, AScrapeIsServedFromTheLastValuesWithoutTouchingTheLine) {
    poller.start();
    rig.clock.advance(1000);
    const std::size_t frames = rig.projector.frames.size();
    struct Case {
        const char* behaviour;
        std::string password;
        std::string request;
        const char* statusLine;
    };
    const Case cases[] = {
        {"no password on loopback", "", "GET /metrics HTTP/1.1\r\n\r\n", "HTTP/1.1 200 OK"},
        {"the password asked for", "secret", "GET /metrics HTTP/1.1\r\n\r\n",
         "HTTP/1.1 401 Unauthorized"},
        {"and given", "secret",
         "GET /metrics HTTP/1.1\r\nAuthorization: Basic em9tYTpzZWNyZXQ=\r\n\r\n",
         "HTTP/1.1 200 OK"},
        {"too large a head", "", "GET /metrics HTTP/1.1\r\nX: " + std::string(9000, 'a'),
         "HTTP/1.1 431 Request Header Fields Too Large"},
        {"garbage", "", "\x16\x03\x01 hello\r\n\r\n", "HTTP/1.1 400 Bad Request"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        RecordingConnection connection;
        HttpSession session(connection, rig.clock, c.password, [this] { return metrics.render(); });
        session.start();
        session.receive(c.request);
        EXPECT_EQ(connection.sent.substr(0, connection.sent.find("\r\n")), c.statusLine);
        EXPECT_TRUE(connection.closed);
    }
    EXPECT_EQ(rig.projector.frames.size(), frames);

    // A client that never finishes its request is cut off.
    RecordingConnection slow;
    HttpSession trickle(slow, rig.clock, "", [this] { return metrics.render(); });
    trickle.start();
    trickle.receive("GET /met");
    rig.clock.advance(HttpSession::kRequestTimeMs - 1);
    EXPECT_FALSE(slow.closed);
    rig.clock.advance(1);
    EXPECT_TRUE(slow.closed);
    EXPECT_EQ(slow.sent.substr(0, slow.sent.find("\r\n")), "HTTP/1.1 408 Request Timeout");
}

}  // namespace
}  // namespace zoma::gateway
