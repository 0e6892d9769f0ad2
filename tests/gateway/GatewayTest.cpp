// The gateway's shared part: how requests are reported, and what the projector's memory keeps.
#include "gateway/Gateway.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gateway/GatewayRig.h"

namespace zoma::gateway {
namespace {

using testing::GatewayRig;
using testing::kAck;
using testing::kNak;

TEST(GatewayTest, OutcomesAreCountedAsFourVerdicts) {
    struct Case {
        Outcome outcome;
        Verdict verdict;
        const char* name;
    };
    const Case cases[] = {
        {Outcome::Ok, Verdict::Ok, "ok"},
        {Outcome::Refused, Verdict::Refused, "refused"},
        {Outcome::NoReply, Verdict::NoReply, "no reply"},
        {Outcome::OverLong, Verdict::NoReply, "no reply"},
        {Outcome::Failed, Verdict::Failed, "failed"},
        {Outcome::QueueFull, Verdict::Failed, "failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(verdictOf(c.outcome), c.verdict);
        EXPECT_EQ(verdictName(verdictOf(c.outcome)), c.name);
    }
    EXPECT_EQ(sourceName(RequestSource::Pjlink), "pjlink");
    EXPECT_EQ(sourceName(RequestSource::Raw), "raw");
    EXPECT_EQ(sourceName(RequestSource::Poll), "poll");
}

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

TEST(GatewayTest, TheDefaultInformationNamesTheProgramAndItsVersion) {
    EXPECT_EQ(GatewaySettings{}.info, programInfo());
    EXPECT_EQ(programInfo().rfind("zoma-gateway ", 0), 0u);
}

}  // namespace
}  // namespace zoma::gateway
