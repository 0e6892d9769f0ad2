// The gateway's shared part: how requests are timed, and what the projector's memory keeps.
#include "gateway/Gateway.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gateway/GatewayRig.h"

namespace zoma::gateway {
namespace {

using testing::GatewayRig;
using testing::kNak;

TEST(GatewayTest, ARequestIsTimedFromItsFirstFrameAndOnlyAcknowledgedCodesAreRemembered) {
    GatewayRig rig;
    rig.projector.replies["C06"] = kNak;
    std::vector<Outcome> ended;
    const auto submit = [&](std::vector<std::string> codes) {
        Request request;
        for (const std::string& code : codes) request.frames.push_back(frameFor(code));
        request.onDone = [&ended](const RequestResult& result) { ended.push_back(result.outcome); };
        rig.gateway.submit(RequestSource::Poll, "poll", std::move(request));
    };
    submit({"C05"});
    submit({"C0D", "C0B"});  // waits 20 ms for its turn; its time starts on the line
    submit({"C06"});
    rig.clock.advance(1000);
    EXPECT_EQ(ended, (std::vector<Outcome>{Outcome::Ok, Outcome::Ok, Outcome::Refused}));
    ASSERT_EQ(rig.events.size(), 3u);
    EXPECT_EQ(rig.events[0].replyMs, 20);
    EXPECT_EQ(rig.events[1].replyMs, 40);
    EXPECT_EQ(rig.events[2].verdict, Verdict::Refused);
    EXPECT_EQ(rig.events[2].source, RequestSource::Poll);
    EXPECT_EQ(rig.gateway.memory().lastInputCode(), "C05");
    EXPECT_TRUE(rig.gateway.memory().videoMuted());
    EXPECT_TRUE(rig.gateway.memory().audioMuted());
    // Read-outs and other codes change nothing.
    submit({"CR1", "C00", "C0F"});
    rig.clock.advance(1000);
    EXPECT_EQ(rig.gateway.memory().lastInputCode(), "C05");
}

}  // namespace
}  // namespace zoma::gateway
