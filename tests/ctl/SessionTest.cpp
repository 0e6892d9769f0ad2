// zoma-ctl's run on the virtual clock: the pace of a held button's frames, the wait for each
// reply, read-outs in pieces, silence and a line that fails.
#include "ctl/Session.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "ctl/Catalogue.h"
#include "doubles/ScriptedPort.h"
#include "doubles/VirtualClock.h"

namespace zoma::ctl {
namespace {

using zoma::testing::ScriptedPort;
using zoma::testing::VirtualClock;
using zoma::testing::VirtualTimer;

constexpr char kAck = 6;
constexpr int kReplyWindow = 500;

struct Written {
    std::int64_t at;
    std::string bytes;
    bool operator==(const Written& other) const { return at == other.at && bytes == other.bytes; }
};

class SessionTest : public ::testing::Test {
  protected:
    SessionTest() {
        port.open();
        port.onWrite = [this](const std::string& bytes) {
            written.push_back({clock.now(), bytes});
            if (answerEachFrame) {
                projector.setInterval(kProjectorDelay);
                projector.setEnabled(true);
            }
        };
        // A projector that acknowledges every frame a little after it arrives.
        projector.onTick = [this] {
            projector.setEnabled(false);
            port.deliver(std::string(1, kAck));
        };
        session.onResult = [this](const Result& result) { results.push_back(result); };
        session.onFinished = [this] { finishedAt = clock.now(); };
    }

    void run(const std::vector<std::string>& words, int repeat = 0) {
        const Plan plan = planSteps(words, repeat);
        ASSERT_EQ(plan.error, "");
        session.run(plan.steps);
    }

    static constexpr int kProjectorDelay = 5;

    VirtualClock clock;
    ScriptedPort port;
    VirtualTimer& replyWindow = clock.makeTimer();
    VirtualTimer& pace = clock.makeTimer();
    VirtualTimer& backgroundHold = clock.makeTimer();
    VirtualTimer& projector = clock.makeTimer();
    RequestQueue queue{port, {replyWindow, pace, backgroundHold}, kReplyWindow};
    Session session{queue};
    bool answerEachFrame = false;
    std::vector<Written> written;
    std::vector<Result> results;
    std::int64_t finishedAt = -1;
};

TEST_F(SessionTest, RepeatSendsAtTheHeldButtonsOwnPace) {
    struct Case {
        const char* name;
        const char* frame;
        int period;
    };
    const Case cases[] = {
        {"vol+", "C09\r", 250},      {"zoom-", "C46\r", 50},         {"focus+", "C4B\r", 50},
        {"select", "C3F\r", 500},    {"r-click", "C3E\r", 500},      {"d.zoom+", "C30\r", 250},
        {"keystone-", "C8F\r", 250}, {"lens-shift-up", "C5D\r", 50}, {"left", "C3B\r", 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        written.clear();
        results.clear();
        const std::int64_t start = clock.now();
        run({c.name}, 4);
        clock.advance(10000);
        std::vector<Written> expected;
        for (int i = 0; i < 4; ++i) expected.push_back({start + i * c.period, c.frame});
        EXPECT_EQ(written, expected);
        // Unanswered: the wait ends one reply window after the last frame.
        EXPECT_EQ(finishedAt, start + 3 * c.period + kReplyWindow);
        ASSERT_EQ(results.size(), 1u);
        EXPECT_EQ(results[0].words, "no reply (4 of 4 frames)");
    }
}

TEST_F(SessionTest, RepeatIsOkOnceEveryFrameIsAcknowledged) {
    answerEachFrame = true;
    run({"zoom+"}, 3);
    clock.advance(10000);
    EXPECT_EQ(written.size(), 3u);
    EXPECT_EQ(finishedAt, 2 * 50 + kProjectorDelay);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].words, "ok");
    EXPECT_TRUE(results[0].ok);
    EXPECT_EQ(results[0].reply, "\x06\x06\x06");
}

TEST_F(SessionTest, WaitsUntilTheReplyIsCompleteOrTheWindowEnds) {
    struct Case {
        const char* command;
        // Pieces of the reply and when they arrive, in milliseconds after the frame.
        std::vector<std::pair<int, std::string>> pieces;
        const char* words;
        const char* reply;
        bool ok;
        std::int64_t finishedAt;
    };
    const Case cases[] = {
        {"power-off", {{5, "\x06"}}, "ok", "\x06", true, 5},
        {"power-off", {{499, "\x06"}}, "ok", "\x06", true, 499},
        {"C7F", {{5, "\x15"}}, "refused", "\x15", false, 5},
        {"power-off", {}, "no reply", "", false, kReplyWindow},
        {"power-off", {{5, "x"}}, "unexpected reply: x", "x", false, kReplyWindow},
        {"status", {{3, "8"}, {20, "0"}, {40, "\r"}}, "Stand by", "80", true, 40},
        {"lamp-time", {{3, "0123\r\n"}}, "0 1 2 3 Hour Use", "0123", true, 3},
        {"status", {{3, "99\r"}}, "undecoded reply: 9 9 CR", "99", false, 3},
        {"status", {{3, "8"}}, "undecoded reply: 8", "8", false, kReplyWindow},
        {"status", {{3, "\x15"}}, "refused", "\x15", false, 3},
        {"status", {}, "no reply", "", false, kReplyWindow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " answered with " + std::to_string(c.pieces.size()) +
                     " pieces, " + c.words);
        results.clear();
        finishedAt = -1;
        const std::int64_t start = clock.now();
        run({c.command});
        for (const auto& [at, piece] : c.pieces) {
            clock.advance(start + at - clock.now());
            port.deliver(piece);
        }
        clock.advance(10000);
        ASSERT_EQ(results.size(), 1u);
        EXPECT_EQ(results[0].words, c.words);
        EXPECT_EQ(results[0].reply, c.reply);
        EXPECT_EQ(results[0].ok, c.ok);
        EXPECT_EQ(finishedAt - start, c.finishedAt);
    }
}

TEST_F(SessionTest, ALineThatFailsEndsTheRunAndEveryCommandAfterItIsNotSent) {
    std::string failure;
    session.onLineFailed = [&](const std::string& text) { failure = text; };
    run({"power-off", "status", "vol+"});
    clock.advance(100);
    port.failWhileOpen("Input/output error");
    clock.advance(10000);
    EXPECT_EQ(failure, "Input/output error");
    EXPECT_EQ(written.size(), 1u);
    // Every command given has its result, in order.
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].words, "no reply");
    EXPECT_EQ(results[1].command, "status");
    EXPECT_EQ(results[1].words, "not sent");
    EXPECT_FALSE(results[1].ok);
    EXPECT_EQ(results[2].command, "vol+");
    EXPECT_EQ(results[2].words, "not sent");
    EXPECT_EQ(finishedAt, 100);
}

TEST_F(SessionTest, AReplyLongerThanAnyTheProjectorSendsEndsTheStepAndIsNotKept) {
    run({"status", "power-on"});
    // A stream with no CR: once past the limit the step ends, keeping only the limit's worth.
    for (int i = 0; i < 40; ++i) port.deliver(std::string(10, '8'));
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].words, "over-long reply");
    EXPECT_FALSE(results[0].ok);
    EXPECT_EQ(results[0].reply, std::string(RequestQueue::kReplyLimit, '8'));
    // The next command waits out a quiet gap, in which what still streams in is dropped.
    port.deliver(std::string(300, '8'));
    EXPECT_EQ(written.size(), 1u);
    clock.advance(RequestQueue::kQuietGapMs);
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[1].bytes, "C00\r");
    port.deliver(std::string(1, kAck));
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[1].words, "ok");

    // A reply that ends within the limit is a reply, whatever follows it in the same piece.
    results.clear();
    run({"status"});
    port.deliver("80\r" + std::string(400, '8'));
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].words, "Stand by");
}

}  // namespace
}  // namespace zoma::ctl
