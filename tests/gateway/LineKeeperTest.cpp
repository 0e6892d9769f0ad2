// The gateway's line kept open on the virtual clock: growing pauses, one log line per change.
#include "gateway/LineKeeper.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "doubles/ScriptedPort.h"
#include "doubles/VirtualClock.h"

namespace zoma::gateway {
namespace {

using zoma::testing::ScriptedPort;
using zoma::testing::VirtualClock;

class LineKeeperTest : public ::testing::Test {
  protected:
    // The times at which an open was tried, over the next `milliseconds`.
    std::vector<std::int64_t> attemptsOver(std::int64_t milliseconds) {
        std::vector<std::int64_t> at;
        const std::int64_t end = clock.now() + milliseconds;
        while (clock.now() < end) {
            const int before = port.openAttempts;
            clock.advance(500);
            if (port.openAttempts != before) at.push_back(clock.now());
        }
        return at;
    }

    VirtualClock clock;
    ScriptedPort port;
    std::vector<std::string> logged;
    int opened = 0;
    LineKeeper keeper{port, clock.makeTimer(),
                      [this](const std::string& line) { logged.push_back(line); }};
};

TEST_F(LineKeeperTest, ALineThatCannotBeOpenedIsTriedAgainWithPausesGrowingToHalfAMinute) {
    port.missingPorts = {1};
    keeper.onOpened = [this] { ++opened; };
    keeper.start();
    EXPECT_EQ(port.openAttempts, 1);
    // 1, 2, 4, 8 and 16 s, then every 30 s.
    EXPECT_EQ(attemptsOver(95000),
              (std::vector<std::int64_t>{1000, 3000, 7000, 15000, 31000, 61000, 91000}));
    // Said once, not at every attempt.
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0],
              "line COM1 cannot be opened: No such file or directory; trying again every 1 s to "
              "30 s");
    port.missingPorts.clear();
    clock.advance(30000);
    EXPECT_TRUE(keeper.isUp());
    EXPECT_EQ(opened, 1);
    // Opened for the first time: not a reconnect.
    EXPECT_EQ(logged.back(), "line COM1 open");
    EXPECT_EQ(keeper.reconnects(), 0u);
}

TEST_F(LineKeeperTest, ALineLostWhileOpenIsReopenedAfterASecondAndCountedAsAReconnect) {
    keeper.onOpened = [this] { ++opened; };
    keeper.start();
    EXPECT_EQ(logged, std::vector<std::string>{"line COM1 open"});
    EXPECT_EQ(keeper.reconnects(), 0u);
    port.failWhileOpen("Input/output error");
    keeper.lineFailed("Input/output error");
    EXPECT_FALSE(keeper.isUp());
    clock.advance(999);
    EXPECT_FALSE(keeper.isUp());
    clock.advance(1);
    EXPECT_TRUE(keeper.isUp());
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(keeper.reconnects(), 1u);
    EXPECT_EQ(logged, (std::vector<std::string>{"line COM1 open",
                                                "line COM1 lost: Input/output error; reopening",
                                                "line COM1 is back"}));
    // A second loss starts again from the shortest pause.
    port.failWhileOpen("Input/output error");
    keeper.lineFailed("Input/output error");
    clock.advance(1000);
    EXPECT_TRUE(keeper.isUp());
    EXPECT_EQ(keeper.reconnects(), 2u);
}

TEST_F(LineKeeperTest, StoppedItClosesTheLineAndTriesNoMore) {
    port.missingPorts = {1};
    keeper.start();
    keeper.stop();
    port.missingPorts.clear();
    clock.advance(60000);
    EXPECT_EQ(port.openAttempts, 1);
    EXPECT_FALSE(keeper.isUp());
}

}  // namespace
}  // namespace zoma::gateway
