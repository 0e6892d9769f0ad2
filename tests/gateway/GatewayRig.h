// The gateway on the virtual clock and the scripted port, with a projector that answers each
// frame after a delay, and connections that record what they are sent.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "doubles/ScriptedPort.h"
#include "doubles/VirtualClock.h"
#include "gateway/Connection.h"
#include "gateway/Gateway.h"
#include "queue/RequestQueue.h"

namespace zoma::gateway::testing {

using zoma::testing::ScriptedPort;
using zoma::testing::VirtualClock;
using zoma::testing::VirtualTimer;

inline const std::string kAck(1, 6);
inline const std::string kNak(1, 21);

// Answers every frame written to the port kDelayMs later: a read-out from `replies` (with its
// CR), any other code ACK unless `replies` says otherwise; an empty reply is silence.
class ReplyingProjector {
  public:
    static constexpr int kDelayMs = 20;

    ReplyingProjector(VirtualClock& clock, ScriptedPort& port)
        : clock_(clock), port_(port), timer_(clock.makeTimer()) {
        timer_.setInterval(kDelayMs);
        timer_.onTick = [this] { answerDue(); };
        port_.onWrite = [this](const std::string& bytes) { written(bytes); };
    }

    // The projector's state as its read-outs report it: standby, input terminal 1, 123 hours.
    std::map<std::string, std::string> replies = {
        {"CR0", "80\r"}, {"CR1", "0\r"}, {"CR3", "0123\r"}};
    // The codes that went out, in order, each without its CR.
    std::vector<std::string> frames;
    // When each frame went out.
    std::vector<std::int64_t> sentAt;

  private:
    void written(const std::string& bytes) {
        const std::string code = bytes.substr(0, bytes.size() - 1);
        frames.push_back(code);
        sentAt.push_back(clock_.now());
        const auto found = replies.find(code);
        due_.push_back({clock_.now() + kDelayMs, found != replies.end() ? found->second : kAck});
        if (!timer_.isEnabled()) timer_.setEnabled(true);
    }

    void answerDue() {
        while (!due_.empty() && due_.front().first <= clock_.now()) {
            const std::string reply = due_.front().second;
            due_.pop_front();
            if (!reply.empty()) port_.deliver(reply);
        }
        if (due_.empty()) {
            timer_.setEnabled(false);
        } else {
            timer_.setInterval(static_cast<int>(due_.front().first - clock_.now()));
        }
    }

    VirtualClock& clock_;
    ScriptedPort& port_;
    VirtualTimer& timer_;
    std::deque<std::pair<std::int64_t, std::string>> due_;
};

// A client's connection: what it was sent, and whether the session closed it.
class RecordingConnection : public Connection {
  public:
    void send(const std::string& bytes) override {
        if (closed) sentAfterClose += bytes;
        sent += bytes;
    }
    void close() override { closed = true; }

    // What was sent since the last call.
    std::string take() {
        std::string taken;
        taken.swap(sent);
        return taken;
    }

    std::string sent;
    std::string sentAfterClose;
    bool closed = false;
};

// The random number PJLink 1.00's digest example starts from: "498e4a67".
inline std::string exampleRandom(std::size_t count) {
    const std::string bytes = "\x49\x8e\x4a\x67";
    return bytes.substr(0, count);
}

struct GatewayRig {
    explicit GatewayRig(GatewaySettings settings = {},
                        std::function<std::string(std::size_t)> random = exampleRandom)
        : gateway(
              queue, clock, [this] { return clock.now(); }, std::move(random),
              std::move(settings)) {
        port.open();
        gateway.onLog = [this](const std::string& line) { logs.push_back(line); };
        gateway.onRequest = [this](const RequestEvent& event) { events.push_back(event); };
    }

    VirtualClock clock;
    ScriptedPort port;
    VirtualTimer& replyWindow = clock.makeTimer();
    VirtualTimer& pace = clock.makeTimer();
    VirtualTimer& backgroundHold = clock.makeTimer();
    RequestQueue queue{port, {replyWindow, pace, backgroundHold}};
    ReplyingProjector projector{clock, port};
    Gateway gateway;
    std::vector<std::string> logs;
    std::vector<RequestEvent> events;
};

}  // namespace zoma::gateway::testing
