// The built zoma-gateway in its own process, on the projector simulator: PJLink controllers of the
// tests' own, written from PJLink 1.00, raw clients and scrapes, a line lost and back, its stop.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/GatewayProcess.h"
#include "support/LineClient.h"
#include "support/SimulatorProcess.h"
#include "support/VirtualDisplay.h"

namespace zoma {
namespace {

using testing::GatewayProcess;
using testing::LineClient;
using testing::PjlinkClient;
using testing::SimulatorProcess;

constexpr int kLimitMs = 10000;

// A folder of the test's own, removed with everything in it.
struct TempFolder {
    TempFolder() {
        char name[] = "/tmp/zoma-gateway-test-XXXXXX";
        if (::mkdtemp(name) != nullptr) path = name;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string write(const std::string& name, const std::string& text, mode_t mode) const {
        const std::string file = path + "/" + name;
        std::ofstream(file) << text;
        ::chmod(file.c_str(), mode);
        return file;
    }
    std::string path;
};

// Polls `condition` every 20 ms until it holds or the limit passes.
template <typename Condition>
bool eventually(Condition condition, int limitMs = kLimitMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::string scrape(int port) {
    LineClient client(port);
    client.send("GET /metrics HTTP/1.1\r\nHost: test\r\n\r\n");
    return client.readUntilClosed(kLimitMs);
}

bool hasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST(Gateway, EveryClassOneCommandIsAnsweredFromTheProjectorAsTheTableSays) {
    SimulatorProcess simulator({"--phase-ms", "600000", "--lamp-hours", "1234"});
    ASSERT_TRUE(simulator.ok());
    GatewayProcess gateway({"--port", simulator.device(), "--pjlink", "0", "--name", "Room 101"});
    ASSERT_TRUE(gateway.ok()) << gateway.log();
    PjlinkClient client(gateway.port("pjlink"));
    ASSERT_TRUE(client.ok());
    EXPECT_EQ(client.greeting(), "PJLINK 0");
    const struct {
        const char* command;
        const char* response;
    } exchanges[] = {
        // In standby: gets from the projector's read-outs, and only POWR 1 among the sets.
        {"POWR ?", "%1POWR=0"},
        {"LAMP ?", "%1LAMP=1234 0"},
        {"INPT ?", "%1INPT=11"},
        {"ERST ?", "%1ERST=000000"},
        {"AVMT ?", "%1AVMT=30"},
        {"INST ?", "%1INST=11 12 13 14 21 22 23 31"},
        {"NAME ?", "%1NAME=Room 101"},
        {"INF1 ?", "%1INF1=ZOMA"},
        {"INF2 ?", "%1INF2=LT540"},
        {"INFO ?", "%1INFO=zoma-gateway " ZOMA_VERSION},
        {"CLSS ?", "%1CLSS=1"},
        {"INPT 21", "%1INPT=ERR3"},
        {"AVMT 31", "%1AVMT=ERR3"},
        {"POWR 0", "%1POWR=ERR3"},
        {"POWR 1", "%1POWR=OK"},
        // Counting down (the simulator's phase lasts ten minutes here): warm-up, lamp on, and
        // every set unavailable, though the projector would acknowledge it and do nothing.
        {"POWR ?", "%1POWR=3"},
        {"LAMP ?", "%1LAMP=1234 1"},
        {"POWR 0", "%1POWR=ERR3"},
        {"INPT 13", "%1INPT=ERR3"},
        // Errors of the line itself.
        {"INPT 15", "%1INPT=ERR2"},
        {"POWR 2", "%1POWR=ERR2"},
        {"AVMT 40", "%1AVMT=ERR2"},
        {"LAMP 1", "%1LAMP=ERR2"},
        {"XYZW ?", "%1XYZW=ERR1"},
    };
    for (const auto& exchange : exchanges) {
        EXPECT_EQ(client.ask(exchange.command), exchange.response) << exchange.command;
    }
    // The standby's set went to the projector, and the refused sets did not.
    EXPECT_EQ(simulator.framesReceived("C00"), 1);
    EXPECT_EQ(simulator.framesReceived("C02"), 0);
    EXPECT_EQ(simulator.framesReceived("C07"), 0);
    EXPECT_EQ(simulator.framesReceived("C0D"), 0);
}

TEST(Gateway, SetsReachTheProjectorWhenItIsOnAndTheInputsAndMutesAreRemembered) {
    SimulatorProcess simulator({"--state", "on"});
    ASSERT_TRUE(simulator.ok());
    GatewayProcess gateway({"--port", simulator.device(), "--pjlink", "0", "--raw", "0"},
                           {"pjlink", "raw"});
    ASSERT_TRUE(gateway.ok()) << gateway.log();
    PjlinkClient client(gateway.port("pjlink"));
    const struct {
        const char* command;
        const char* response;
    } exchanges[] = {
        {"INPT 23", "%1INPT=OK"}, {"INPT ?", "%1INPT=23"},    {"AVMT 31", "%1AVMT=OK"},
        {"AVMT ?", "%1AVMT=31"},  {"AVMT 20", "%1AVMT=OK"},   {"AVMT ?", "%1AVMT=11"},
        {"POWR ?", "%1POWR=1"},   {"LAMP ?", "%1LAMP=123 1"}, {"ERST ?", "%1ERST=000000"},
    };
    for (const auto& exchange : exchanges) {
        EXPECT_EQ(client.ask(exchange.command), exchange.response) << exchange.command;
    }
    EXPECT_EQ(simulator.framesReceived("C24"), 1);
    EXPECT_EQ(simulator.framesReceived("C0D"), 1);
    EXPECT_EQ(simulator.framesReceived("C0B"), 1);
    EXPECT_EQ(simulator.framesReceived("C0C"), 1);
    // An input chosen by a raw client (the booth's panel) counts too: INPUT 2 COMPONENT.
    LineClient raw(gateway.port("raw"));
    raw.send("C25\r");
    EXPECT_EQ(raw.readFor(kLimitMs), "\x06");
    EXPECT_EQ(client.ask("INPT ?"), "%1INPT=13");
}

TEST(Gateway, APasswordIsAskedForAndAWrongOrMissingDigestEndsTheConnection) {
    SimulatorProcess simulator;
    ASSERT_TRUE(simulator.ok());
    TempFolder folder;
    const std::string password = folder.write("password", "JBMIAProjectorLink\n", 0600);
    GatewayProcess gateway(
        {"--port", simulator.device(), "--pjlink", "0", "--password-file", password});
    ASSERT_TRUE(gateway.ok()) << gateway.log();

    PjlinkClient right(gateway.port("pjlink"), "JBMIAProjectorLink");
    // "PJLINK 1" and eight hexadecimal digits, fresh for every connection.
    const std::string greeting = right.greeting();
    ASSERT_EQ(greeting.size(), 17u) << greeting;
    EXPECT_EQ(greeting.rfind("PJLINK 1 ", 0), 0u);
    EXPECT_EQ(greeting.find_first_not_of("0123456789abcdef", 9), std::string::npos) << greeting;
    EXPECT_EQ(right.ask("POWR ?"), "%1POWR=0");
    // Only the first line carries the digest.
    EXPECT_EQ(right.ask("CLSS ?"), "%1CLSS=1");
    PjlinkClient another(gateway.port("pjlink"), "JBMIAProjectorLink");
    EXPECT_NE(another.greeting(), greeting);

    PjlinkClient wrong(gateway.port("pjlink"), "not the password");
    EXPECT_EQ(wrong.ask("POWR ?"), "PJLINK ERRA");
    EXPECT_TRUE(wrong.connection().closedByPeer(kLimitMs));
    PjlinkClient missing(gateway.port("pjlink"));
    missing.greeting();
    EXPECT_EQ(missing.askRaw("%1POWR ?"), "PJLINK ERRA");
    EXPECT_TRUE(missing.connection().closedByPeer(kLimitMs));
    // Nothing reached the projector for the two refused connections.
    EXPECT_EQ(simulator.framesReceived("CR0"), 1);
}

TEST(Gateway, RawAndPjlinkClientsShareTheLineWithEveryFrameWhole) {
    SimulatorProcess simulator({"--state", "on", "--delay", "5"});
    ASSERT_TRUE(simulator.ok());
    GatewayProcess gateway({"--port", simulator.device(), "--pjlink", "0", "--raw", "0"},
                           {"pjlink", "raw"});
    ASSERT_TRUE(gateway.ok()) << gateway.log();
    // Two raw clients and two PJLink controllers at once, each on a thread of its own.
    std::vector<std::string> rawReplies(2);
    std::vector<int> pjlinkAnswers(2, 0);
    std::vector<std::thread> clients;
    for (int i = 0; i < 2; ++i) {
        clients.emplace_back([&, i] {
            LineClient raw(gateway.port("raw"));
            for (int frame = 0; frame < 20; ++frame) {
                raw.send("CR0\r");
                rawReplies[i] += raw.readUntil('\r', kLimitMs);
            }
        });
        clients.emplace_back([&, i] {
            PjlinkClient pjlink(gateway.port("pjlink"));
            for (int ask = 0; ask < 10; ++ask)
                pjlinkAnswers[i] += pjlink.ask("LAMP ?") == "%1LAMP=123 1";
        });
    }
    for (std::thread& client : clients) client.join();
    for (const std::string& replies : rawReplies) {
        std::string expected;
        for (int frame = 0; frame < 20; ++frame) expected += "00\r";
        // Each raw client got its own replies, whole, and nothing of the others'.
        EXPECT_EQ(replies, expected);
    }
    EXPECT_EQ(pjlinkAnswers, (std::vector<int>{10, 10}));
    // Every frame reached the projector whole: 40 raw reads, 20 LAMP ? of CR3 then CR0.
    EXPECT_EQ(simulator.framesReceived("CR0"), 60);
    EXPECT_EQ(simulator.framesReceived("CR3"), 20);
    EXPECT_EQ(simulator.log().find("skipped"), std::string::npos) << simulator.log();
}

TEST(Gateway, ALineLostIsAnsweredErr4AndReopenedWithPausesAndTheMetricsSaySo) {
    const std::string link = "/tmp/zoma-gateway-line-" + std::to_string(::getpid());
    auto simulator = std::make_unique<SimulatorProcess>(std::vector<std::string>{"--link", link});
    ASSERT_TRUE(simulator->ok());
    GatewayProcess gateway({"--port", link, "--pjlink", "0", "--metrics", "0", "--poll", "1"},
                           {"pjlink", "metrics"});
    ASSERT_TRUE(gateway.ok()) << gateway.log();
    const int metrics = gateway.port("metrics");
    ASSERT_TRUE(eventually([&] { return hasLine(scrape(metrics), "zoma_up 1"); }))
        << scrape(metrics);
    const std::string scraped = scrape(metrics);
    for (const char* line :
         {"zoma_power_state{state=\"standby\"} 1", "zoma_lamp_time_seconds 442800",
          "zoma_temperature_celsius{sensor=\"s1\"} 24.5", "zoma_input 1",
          "zoma_orientation{orientation=\"normal\"} 1", "zoma_line_reconnects_total 0"}) {
        EXPECT_TRUE(hasLine(scraped, line)) << line << "\n" << scraped;
    }

    // The projector's line goes: ERR4 for what needs it; the gateway's own answers still come.
    simulator.reset();
    ASSERT_TRUE(gateway.waitForLog(" lost: ", kLimitMs)) << gateway.log();
    PjlinkClient client(gateway.port("pjlink"));
    EXPECT_EQ(client.ask("POWR ?"), "%1POWR=ERR4");
    EXPECT_EQ(client.ask("CLSS ?"), "%1CLSS=1");
    EXPECT_TRUE(eventually([&] { return hasLine(scrape(metrics), "zoma_up 0"); }));

    // The line comes back: the gateway reopens it by itself and counts the reconnect.
    simulator = std::make_unique<SimulatorProcess>(std::vector<std::string>{"--link", link});
    ASSERT_TRUE(simulator->ok());
    ASSERT_TRUE(gateway.waitForLog(" is back", 40000)) << gateway.log();
    EXPECT_EQ(client.ask("POWR ?"), "%1POWR=0");
    EXPECT_TRUE(
        eventually([&] { return hasLine(scrape(metrics), "zoma_line_reconnects_total 1"); }));
    EXPECT_TRUE(eventually([&] { return hasLine(scrape(metrics), "zoma_up 1"); }));
}

TEST(Gateway, AScrapeFollowsTheProjectorAndPromtoolAcceptsIt) {
    SimulatorProcess simulator({"--phase-ms", "600000"});
    ASSERT_TRUE(simulator.ok());
    GatewayProcess gateway(
        {"--port", simulator.device(), "--pjlink", "0", "--metrics", "0", "--poll", "1"},
        {"pjlink", "metrics"});
    ASSERT_TRUE(gateway.ok()) << gateway.log();
    const int metrics = gateway.port("metrics");
    ASSERT_TRUE(eventually(
        [&] { return hasLine(scrape(metrics), "zoma_power_state{state=\"standby\"} 1"); }));
    PjlinkClient client(gateway.port("pjlink"));
    EXPECT_EQ(client.ask("POWR 1"), "%1POWR=OK");
    EXPECT_TRUE(eventually(
        [&] { return hasLine(scrape(metrics), "zoma_power_state{state=\"countdown\"} 1"); }));
    const std::string scraped = scrape(metrics);
    EXPECT_TRUE(hasLine(scraped.substr(scraped.find("\r\n\r\n") + 4),
                        "zoma_requests_total{source=\"pjlink\",result=\"ok\"} 2"))
        << scraped;
    const std::string promtool = testing::findProgram("promtool");
    if (promtool.empty()) GTEST_SKIP() << "promtool is not installed";
    TempFolder folder;
    const std::string body =
        folder.write("scrape", scraped.substr(scraped.find("\r\n\r\n") + 4), 0600);
    const std::string command =
        promtool + " check metrics < " + body + " > " + folder.path + "/out 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << std::ifstream(folder.path + "/out").rdbuf();
}

TEST(Gateway, ZomaCtlReadAllAndTheMetricsGiveTheSameValues) {
    SimulatorProcess simulator({"--state", "on", "--lamp-hours", "2345", "--orientation", "both"});
    ASSERT_TRUE(simulator.ok());
    GatewayProcess gateway({"--port", simulator.device(), "--pjlink", "0", "--raw", "0",
                            "--metrics", "0", "--poll", "1"},
                           {"pjlink", "raw", "metrics"});
    ASSERT_TRUE(gateway.ok()) << gateway.log();
    const int metrics = gateway.port("metrics");
    ASSERT_TRUE(eventually([&] { return hasLine(scrape(metrics), "zoma_up 1"); }));
    const std::string scraped = scrape(metrics);
    // zoma-ctl through the gateway's raw port, as a script would read the projector.
    testing::ChildProcess::Launch launch;
    launch.argv = {ZOMA_CTL_PATH, "--port",
                   "tcp://127.0.0.1:" + std::to_string(gateway.port("raw")), "--json", "read-all"};
    testing::ChildProcess ctl(launch);
    const std::string json = ctl.readToEnd(kLimitMs);
    EXPECT_EQ(ctl.finish(kLimitMs), 0) << json;
    const struct {
        const char* jsonValue;
        const char* metric;
    } agreements[] = {
        {"\"value\":\"on\"", "zoma_power_state{state=\"on\"} 1"},
        {"\"value\":1,", "zoma_input 1"},
        {"\"value\":2345,", "zoma_lamp_time_seconds 8442000"},
        {"\"value\":\"top-bottom-left-right\"",
         "zoma_orientation{orientation=\"top-bottom-left-right\"} 1"},
        {"\"value\":{\"s1\":38.5,\"s2\":45.0,\"s3\":41.0}",
         "zoma_temperature_celsius{sensor=\"s1\"} 38.5"},
    };
    for (const auto& agreement : agreements) {
        EXPECT_NE(json.find(agreement.jsonValue), std::string::npos) << agreement.jsonValue << "\n"
                                                                     << json;
        EXPECT_TRUE(hasLine(scraped, agreement.metric)) << agreement.metric << "\n" << scraped;
    }
}

TEST(Gateway, NothingOpensToANetworkWithoutAPasswordAndThePasswordFileIsPrivate) {
    TempFolder folder;
    const std::string shared = folder.write("shared", "secret\n", 0644);
    const std::string empty = folder.write("empty", "\n", 0600);
    const struct {
        std::vector<std::string> arguments;
        const char* says;
    } cases[] = {
        {{"--pjlink", "0.0.0.0:0"}, "needs --password-file"},
        {{"--metrics", "0.0.0.0:0"}, "needs --password-file"},
        {{"--raw", "0.0.0.0:0"}, "this machine only"},
        {{"--pjlink", "0", "--password-file", shared}, "(mode 0644)"},
        {{"--pjlink", "0", "--password-file", empty}, "1 to 32 printable characters"},
        {{"--name", std::string(65, 'n')}, "bad value for --name"},
        {{"--model", "LT\x07"}, "bad value for --model"},
        {{"--poll", "-1"}, "bad value for --poll"},
    };
    for (const auto& c : cases) {
        GatewayProcess gateway(c.arguments, {});
        EXPECT_EQ(gateway.process().finish(kLimitMs), 2) << c.says;
        EXPECT_NE(gateway.log().find(c.says), std::string::npos) << gateway.log();
    }
}

TEST(Gateway, StoppedByItsServiceManagerItClosesEverythingAndEndsWithZero) {
    SimulatorProcess simulator;
    ASSERT_TRUE(simulator.ok());
    GatewayProcess gateway({"--port", simulator.device(), "--pjlink", "0"});
    ASSERT_TRUE(gateway.ok()) << gateway.log();
    PjlinkClient client(gateway.port("pjlink"));
    EXPECT_EQ(client.ask("POWR ?"), "%1POWR=0");
    gateway.process().signal(SIGTERM);
    EXPECT_EQ(gateway.process().finish(kLimitMs), 0) << gateway.log();
    EXPECT_TRUE(client.connection().closedByPeer(kLimitMs));
    // The projector's line was closed, as the simulator saw it go.
    EXPECT_TRUE(
        eventually([&] { return simulator.log().find("panel closed") != std::string::npos; }));
}

TEST(Gateway, AFurtherConnectionBeyondTheBoundIsClosedAtOnce) {
    SimulatorProcess simulator;
    ASSERT_TRUE(simulator.ok());
    GatewayProcess gateway({"--port", simulator.device(), "--pjlink", "0", "--raw", "0"},
                           {"pjlink", "raw"});
    ASSERT_TRUE(gateway.ok()) << gateway.log();
    // Thirty-two controllers are greeted; the thirty-third is not.
    std::vector<std::unique_ptr<PjlinkClient>> controllers;
    for (int i = 0; i < 32; ++i) {
        controllers.push_back(std::make_unique<PjlinkClient>(gateway.port("pjlink")));
        EXPECT_EQ(controllers.back()->greeting(), "PJLINK 0");
    }
    LineClient thirtyThird(gateway.port("pjlink"));
    EXPECT_TRUE(thirtyThird.closedByPeer(kLimitMs));
    EXPECT_EQ(controllers.front()->ask("POWR ?"), "%1POWR=0");

    std::vector<std::unique_ptr<LineClient>> open;
    for (int i = 0; i < 4; ++i) {
        open.push_back(std::make_unique<LineClient>(gateway.port("raw")));
        open.back()->send("CR0\r");
        EXPECT_EQ(open.back()->readUntil('\r', kLimitMs), "80\r");
    }
    LineClient fifth(gateway.port("raw"));
    EXPECT_TRUE(fifth.closedByPeer(kLimitMs));
    // One going makes room for another.
    open.pop_back();
    EXPECT_TRUE(eventually([&] {
        LineClient next(gateway.port("raw"));
        next.send("CR0\r");
        return next.readUntil('\r', 2000) == "80\r";
    }));
}

}  // namespace
}  // namespace zoma
