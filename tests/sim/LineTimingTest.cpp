// Reply pieces and the noise and stream sources, on an injected clock.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "sim/ByteSources.h"
#include "sim/ReplySchedule.h"

namespace zoma::sim {
namespace {

struct Sent {
    Millis at;
    std::string bytes;
    bool operator==(const Sent& other) const { return at == other.at && bytes == other.bytes; }
};

// Wakes every millisecond and records what is due, as the loop would.
std::vector<Sent> drain(ReplySchedule& schedule, Millis from, Millis to) {
    std::vector<Sent> sent;
    for (Millis t = from; t <= to; ++t) {
        for (const ReplyPiece& piece : schedule.takeDue(t)) sent.push_back({t, piece.bytes});
    }
    return sent;
}

TEST(ReplySchedule, DelayAndPiecesFollowTheTiming) {
    struct Case {
        ReplyTiming timing;
        std::vector<Sent> expected;
    };
    const Case cases[] = {
        {{0, 0, 0, false}, {{100, "80\r"}}},
        {{30, 0, 0, false}, {{130, "80\r"}}},
        {{30, 1, 10, false}, {{130, "8"}, {140, "0"}, {150, "\r"}}},
        {{0, 2, 5, false}, {{100, "80"}, {105, "\r"}}},
        {{0, 8, 5, false}, {{100, "80\r"}}},
        {{30, 1, 10, true}, {}},
    };
    for (const Case& c : cases) {
        ReplySchedule schedule(c.timing);
        schedule.add("80\r", 100);
        EXPECT_EQ(drain(schedule, 0, 1000), c.expected)
            << c.timing.delayMs << "/" << c.timing.pieceSize;
        EXPECT_FALSE(schedule.nextDue());
    }
}

TEST(ReplySchedule, ALaterReplyWaitsForThePiecesOfTheEarlierOne) {
    ReplySchedule schedule({0, 1, 10, false});
    schedule.add("80\r", 0);
    schedule.add(std::string(1, '\x06'), 5);
    EXPECT_EQ(schedule.nextDue(), 0);
    const std::vector<Sent> expected = {{0, "8"}, {10, "0"}, {20, "\r"}, {30, "\x06"}};
    EXPECT_EQ(drain(schedule, 0, 100), expected);
}

TEST(RatePacer, CountsTheSameBytesHoweverOftenItIsAsked) {
    for (Millis step : {1, 7, 250, 1000}) {
        RatePacer pacer(10, 0);
        std::size_t total = 0;
        for (Millis t = 0; t <= 1000; t += step) total += pacer.takeDue(t);
        total += pacer.takeDue(1000);
        EXPECT_EQ(total, 10u) << "step " << step;
        EXPECT_EQ(pacer.nextDue(), 1100);
    }
}

TEST(RatePacer, RestartForgetsWhatFellDueMeanwhile) {
    RatePacer pacer(100, 0);
    pacer.restart(5000);
    EXPECT_EQ(pacer.takeDue(5005), 0u);
    EXPECT_EQ(pacer.nextDue(), 5010);
    EXPECT_EQ(pacer.takeDue(5100), 10u);
}

TEST(NoiseSource, SeededBytesAreNeverPrintable) {
    NoiseSource noise(1000, 42, 0);
    const std::string bytes = noise.takeDue(3000);
    ASSERT_EQ(bytes.size(), 3000u);
    std::set<int> kinds;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        EXPECT_TRUE(byte < 32 || byte >= 127) << int(byte);
        kinds.insert(byte == 0 ? 0 : byte < 128 ? 1 : 2);
    }
    EXPECT_EQ(kinds.size(), 3u);  // NUL, control characters and high bytes all occur

    NoiseSource again(1000, 42, 0);
    EXPECT_EQ(again.takeDue(3000), bytes);
    NoiseSource other(1000, 43, 0);
    EXPECT_NE(other.takeDue(3000), bytes);
}

TEST(StreamSource, CyclesThroughEveryByteValue) {
    StreamSource stream(std::nullopt, 0);
    EXPECT_TRUE(stream.unpaced());
    EXPECT_FALSE(stream.nextDue());
    const std::string bytes = stream.next(300);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        EXPECT_EQ(static_cast<unsigned char>(bytes[i]), i % 256);
    }
    StreamSource paced(50.0, 0);
    EXPECT_EQ(paced.takeDue(1000).size(), 50u);
}

}  // namespace
}  // namespace zoma::sim
