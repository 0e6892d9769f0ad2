// The request queue on the virtual clock and the scripted port: many users, one line.
#include "queue/RequestQueue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "doubles/ScriptedPort.h"
#include "doubles/VirtualClock.h"

namespace zoma {
namespace {

using testing::ScriptedPort;
using testing::VirtualClock;
using testing::VirtualTimer;

const std::string kAck(1, 6);
const std::string kNak(1, 21);

struct Written {
    std::int64_t at;
    std::string bytes;
    bool operator==(const Written& other) const { return at == other.at && bytes == other.bytes; }
};

struct Ended {
    std::string user;
    std::int64_t at;
    RequestResult result;
};

class RequestQueueTest : public ::testing::Test {
  protected:
    RequestQueueTest() {
        port.open();
        port.onWrite = [this](const std::string& bytes) {
            written.push_back({clock.now(), bytes});
        };
    }

    // A request of one or more codes whose end is recorded under the user's name.
    Request request(const std::string& user, std::vector<std::string> codes,
                    Priority priority = Priority::Foreground) {
        Request made;
        for (const std::string& code : codes) made.frames.push_back(frameFor(code));
        made.priority = priority;
        made.onDone = [this, user](const RequestResult& result) {
            ended.push_back({user, clock.now(), result});
        };
        return made;
    }

    std::vector<std::string> frames() const {
        std::vector<std::string> bytes;
        for (const Written& w : written) bytes.push_back(w.bytes);
        return bytes;
    }

    VirtualClock clock;
    ScriptedPort port;
    VirtualTimer& replyWindow = clock.makeTimer();
    VirtualTimer& pace = clock.makeTimer();
    VirtualTimer& backgroundHold = clock.makeTimer();
    RequestQueue queue{port, {replyWindow, pace, backgroundHold}};
    std::vector<Written> written;
    std::vector<Ended> ended;
};

TEST_F(RequestQueueTest, UsersInterleavedGetTheLineOneAtATimeInOrderEachWithItsOwnResult) {
    queue.submit(request("panel", {"CR0"}));
    queue.submit(request("controller", {"C00"}));
    queue.submit(request("script", {"CR3"}));
    // One request on the line; the others wait their turn.
    EXPECT_EQ(frames(), (std::vector<std::string>{"CR0\r"}));
    EXPECT_EQ(queue.waiting(), 2u);
    clock.advance(10);
    port.deliver("80\r");
    clock.advance(10);
    port.deliver(kAck);
    clock.advance(10);
    port.deliver("0123\r");
    EXPECT_EQ(frames(), (std::vector<std::string>{"CR0\r", "C00\r", "CR3\r"}));
    ASSERT_EQ(ended.size(), 3u);
    EXPECT_EQ(ended[0].user, "panel");
    EXPECT_EQ(ended[0].result.outcome, Outcome::Ok);
    EXPECT_EQ(ended[0].result.replies, std::vector<std::string>{"80"});
    EXPECT_EQ(ended[1].user, "controller");
    EXPECT_EQ(ended[1].result.received, kAck);
    EXPECT_EQ(ended[2].user, "script");
    EXPECT_EQ(ended[2].result.replies, std::vector<std::string>{"0123"});
    // Each went out the moment the one before had its answer.
    EXPECT_EQ(written[1].at, 10);
    EXPECT_EQ(written[2].at, 20);
}

TEST_F(RequestQueueTest, AnswersEndRequestsAsTheyComeInPiecesOrNotAtAll) {
    struct Case {
        const char* behaviour;
        std::vector<std::string> codes;
        // Pieces and the milliseconds after the previous one at which they arrive.
        std::vector<std::pair<int, std::string>> pieces;
        Outcome outcome;
        std::vector<std::string> replies;
        std::vector<std::string> frames;
        std::int64_t endsAfter;
    };
    const Case cases[] = {
        {"a read-out in pieces ends at its CR",
         {"CR0"},
         {{3, "8"}, {20, "0"}, {20, "\r"}},
         Outcome::Ok,
         {"80"},
         {"CR0\r"},
         43},
        {"silence ends at the reply window", {"C00"}, {}, Outcome::NoReply, {""}, {"C00\r"}, 500},
        {"a NAK refuses at once", {"C7F"}, {{5, kNak}}, Outcome::Refused, {kNak}, {"C7F\r"}, 5},
        {"a read-out refused with NAK",
         {"CR0"},
         {{5, kNak}},
         Outcome::Refused,
         {kNak},
         {"CR0\r"},
         5},
        {"half a reply is no reply",
         {"CR3"},
         {{5, "01"}},
         Outcome::NoReply,
         {"01"},
         {"CR3\r"},
         500},
        {"two frames, each waiting for its own answer",
         {"CR3", "CR0"},
         {{5, "0123\r"}, {5, "00\r"}},
         Outcome::Ok,
         {"0123", "00"},
         {"CR3\r", "CR0\r"},
         10},
        {"both mutes in one request",
         {"C0B", "C0D"},
         {{5, kAck}, {5, kAck}},
         Outcome::Ok,
         {kAck, kAck},
         {"C0B\r", "C0D\r"},
         10},
        {"the first NAK ends the request; the second frame never goes",
         {"C0B", "C0D"},
         {{5, kNak}},
         Outcome::Refused,
         {kNak},
         {"C0B\r"},
         5},
        {"the first silence ends the request",
         {"CR3", "CR0"},
         {},
         Outcome::NoReply,
         {""},
         {"CR3\r"},
         500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        written.clear();
        ended.clear();
        clock.advance(1000);  // past any quiet gap of the case before
        const std::int64_t start = clock.now();
        queue.submit(request("user", c.codes));
        for (const auto& [after, piece] : c.pieces) {
            clock.advance(after);
            port.deliver(piece);
        }
        clock.advance(1000);
        ASSERT_EQ(ended.size(), 1u);
        EXPECT_EQ(ended[0].result.outcome, c.outcome);
        EXPECT_EQ(ended[0].result.replies, c.replies);
        EXPECT_EQ(frames(), c.frames);
        EXPECT_EQ(ended[0].at - start, c.endsAfter);
    }
}

TEST_F(RequestQueueTest, HeldButtonFramesGoAtTheirPaceWhateverComesBack) {
    Request held = request("panel", {"C09"});
    held.repeat = 4;
    held.periodMs = 250;
    queue.submit(std::move(held));
    queue.submit(request("script", {"CR0"}));
    clock.advance(5);
    port.deliver(kAck);
    clock.advance(250);
    port.deliver(kNak);
    clock.advance(2000);
    const std::vector<Written> expected = {
        {0, "C09\r"}, {250, "C09\r"}, {500, "C09\r"}, {750, "C09\r"}, {1350, "CR0\r"}};
    // The script's request waited for the held frames, their last window and the quiet gap.
    EXPECT_EQ(written, expected);
    ASSERT_GE(ended.size(), 1u);
    EXPECT_EQ(ended[0].result.outcome, Outcome::Refused);
    EXPECT_EQ(ended[0].result.framesSent, 4);
    EXPECT_EQ(ended[0].at, 750 + 500);
}

TEST_F(RequestQueueTest, ALateByteIsCreditedToNobodyAndTheNextFrameWaitsAQuietGap) {
    queue.submit(request("first", {"CR0"}));
    clock.advance(500);  // the window ends with nothing
    queue.submit(request("second", {"CR1"}));
    // The late reply of the first request arrives in the gap: nobody's.
    clock.advance(40);
    port.deliver("80\r");
    EXPECT_EQ(frames(), std::vector<std::string>{"CR0\r"});
    clock.advance(RequestQueue::kQuietGapMs - 40);
    EXPECT_EQ(frames(), (std::vector<std::string>{"CR0\r", "CR1\r"}));
    port.deliver("0\r");
    ASSERT_EQ(ended.size(), 2u);
    EXPECT_EQ(ended[0].result.outcome, Outcome::NoReply);
    EXPECT_EQ(ended[1].result.replies, std::vector<std::string>{"0"});
    EXPECT_EQ(queue.strayBytes(), 3u);
    // Bytes while nothing is on the line answer nothing either, and are counted.
    port.deliver("xyz");
    EXPECT_EQ(queue.strayBytes(), 6u);
    // So does what follows a complete answer in the same piece.
    queue.submit(request("third", {"C00"}));
    port.deliver(kAck + "junk");
    EXPECT_EQ(ended.back().result.received, kAck);
    EXPECT_EQ(queue.strayBytes(), 10u);
}

TEST_F(RequestQueueTest, BackgroundRequestsWaitForEveryForegroundOneAndForHeldFramesToStop) {
    queue.submit(request("poll", {"CR0"}, Priority::Background));
    // Nothing else on the line: the poll goes at once.
    EXPECT_EQ(frames(), std::vector<std::string>{"CR0\r"});
    port.deliver("80\r");
    written.clear();

    // A raw client's held button: a frame every 5 ms, each its own request, answered at once.
    for (int i = 0; i < 40; ++i) {
        queue.submit(request("raw", {"C30"}));
        if (i == 0) queue.submit(request("poll", {"CR3"}, Priority::Background));
        port.deliver(kAck);
        clock.advance(5);
    }
    // The poll waits while the frames keep arriving, and goes once they have stopped long
    // enough for a held button to have been released.
    EXPECT_EQ(frames().back(), "C30\r");
    const std::int64_t lastFrameEnded = clock.now() - 5;
    clock.advance(1000);
    EXPECT_EQ(frames().back(), "CR3\r");
    EXPECT_EQ(written.back().at, lastFrameEnded + RequestQueue::kHeldQuietMs);

    // A foreground request that comes while a poll waits goes first.
    port.deliver("0123\r");
    clock.advance(1000);
    written.clear();
    queue.submit(request("raw", {"C00"}));
    queue.submit(request("poll", {"CR6"}, Priority::Background));
    queue.submit(request("pjlink", {"CR1"}));
    port.deliver(kAck);
    port.deliver("0\r");
    clock.advance(2000);
    EXPECT_EQ(frames(), (std::vector<std::string>{"C00\r", "CR1\r", "CR6\r"}));
}

TEST_F(RequestQueueTest, AtMostSoManyWaitAndTheRestAreRefusedSayingSo) {
    queue.submit(request("on the line", {"C00"}));
    for (std::size_t i = 0; i < RequestQueue::kMaxWaiting; ++i)
        queue.submit(request("waits", {"C00"}));
    EXPECT_EQ(queue.waiting(), RequestQueue::kMaxWaiting);
    EXPECT_EQ(queue.submit(request("one too many", {"C00"})), 0u);
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].user, "one too many");
    EXPECT_EQ(ended[0].result.outcome, Outcome::QueueFull);
    EXPECT_EQ(written.size(), 1u);
}

TEST_F(RequestQueueTest, ALineThatFailsEndsTheRequestOnItAndEveryWaitingOneAtOnce) {
    std::string reason;
    queue.onLineFailed = [&](const std::string& why) { reason = why; };
    queue.submit(request("on the line", {"CR6"}));
    queue.submit(request("waiting", {"C00"}));
    queue.submit(request("poll", {"CR0"}, Priority::Background));
    clock.advance(10);
    port.deliver("+31.0");
    port.failWhileOpen("Input/output error");
    ASSERT_EQ(ended.size(), 3u);
    for (const Ended& end : ended) {
        EXPECT_EQ(end.at, 10) << end.user;
        EXPECT_EQ(end.result.outcome, Outcome::Failed) << end.user;
    }
    EXPECT_EQ(ended[0].result.received, "+31.0");
    EXPECT_EQ(ended[0].result.framesSent, 1);
    EXPECT_EQ(ended[1].result.framesSent, 0);
    EXPECT_EQ(reason, "Input/output error");
    EXPECT_EQ(written.size(), 1u);
    // While the line is down a request fails at once.
    queue.submit(request("later", {"C00"}));
    EXPECT_EQ(ended.back().user, "later");
    EXPECT_EQ(ended.back().result.outcome, Outcome::Failed);
}

TEST_F(RequestQueueTest, AWaitingRequestCanBeTakenBackAndACompletionMaySubmitTheNext) {
    const RequestQueue::Id first = queue.submit(request("first", {"CR3"}));
    const RequestQueue::Id second = queue.submit(request("second", {"C00"}));
    EXPECT_FALSE(queue.cancel(first));  // on the line already
    EXPECT_TRUE(queue.cancel(second));
    // A set that reads the power state first, then acts on it: the second request follows the
    // first at once, ahead of anything that came meanwhile.
    Request readFirst = request("pjlink", {"CR0"});
    readFirst.onDone = [this](const RequestResult& result) {
        ended.push_back({"pjlink", clock.now(), result});
        queue.submit(request("pjlink", {"C00"}));
    };
    queue.submit(std::move(readFirst));
    port.deliver("0123\r");
    port.deliver("80\r");
    port.deliver(kAck);
    EXPECT_EQ(frames(), (std::vector<std::string>{"CR3\r", "CR0\r", "C00\r"}));
    EXPECT_EQ(ended.size(), 3u);
}

TEST_F(RequestQueueTest, ARequestSubmittedNextGoesAheadOfEveryWaitingOneOfItsPriority) {
    // A set that reads the power state first: its frame follows the read at once, ahead of a
    // raw client's frames and a poll that came meanwhile.
    Request readFirst = request("pjlink", {"CR0"});
    readFirst.onDone = [this](const RequestResult& result) {
        ended.push_back({"pjlink", clock.now(), result});
        queue.submitNext(request("pjlink", {"C00"}));
    };
    queue.submit(std::move(readFirst));
    queue.submit(request("raw", {"C09"}));
    queue.submit(request("raw", {"C0A"}));
    queue.submit(request("poll", {"CR6"}, Priority::Background));
    queue.submitNext(request("panel", {"C0B"}));
    EXPECT_EQ(queue.waiting(), 4u);
    port.deliver("80\r");
    for (int i = 0; i < 4; ++i) port.deliver(kAck);
    clock.advance(RequestQueue::kHeldQuietMs);
    // The latest submitNext() goes first: the set, then the earlier one, then the rest in order.
    EXPECT_EQ(frames(),
              (std::vector<std::string>{"CR0\r", "C00\r", "C0B\r", "C09\r", "C0A\r", "CR6\r"}));
}

TEST_F(RequestQueueTest, ARequestSubmittedNextKeepsTheBoundAndFailsWithTheLine) {
    queue.submit(request("on the line", {"C00"}));
    for (std::size_t i = 0; i < RequestQueue::kMaxWaiting; ++i)
        queue.submit(request("waits", {"C00"}));
    EXPECT_EQ(queue.submitNext(request("next", {"C02"})), 0u);
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].result.outcome, Outcome::QueueFull);
    EXPECT_TRUE(queue.lineOpen());
    port.failWhileOpen("gone");
    EXPECT_FALSE(queue.lineOpen());
    ended.clear();
    EXPECT_EQ(queue.submitNext(request("next", {"C02"})), 0u);
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].result.outcome, Outcome::Failed);
}

}  // namespace
}  // namespace zoma
