// The part of the gateway that its connections share: the line's queue, the memory of the
// projector, the settings, the clock, and the hooks for logs and metrics.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gateway/PjlinkCommands.h"
#include "gateway/ProjectorMemory.h"
#include "platform/TimerFactory.h"
#include "queue/RequestQueue.h"

namespace zoma::gateway {

// Who put a request on the line.
enum class RequestSource { Pjlink, Raw, Poll };
std::string_view sourceName(RequestSource source);  // "pjlink", "raw", "poll"

// A request's end as metrics count it. Ok: every frame answered. Refused: a NAK. NoReply: the
// reply window ended first, or more came than a reply holds. Failed: the request never had its
// answer from the projector: the line was down or failed, the queue or the client's depth was
// full, or its turn had not come within the answer time.
enum class Verdict { Ok, Refused, NoReply, Failed };
std::string_view verdictName(Verdict verdict);  // "ok", "refused", "no reply", "failed"
Verdict verdictOf(Outcome outcome);

struct RequestEvent {
    RequestSource source;
    Verdict verdict;
    // From its first frame on the line to its end; none for a request that never went out.
    std::optional<std::int64_t> replyMs;
    // Refused by its session before it reached the queue (a raw client's frames too many deep).
    bool refusedBySession = false;
};

// "zoma-gateway" and the version it was built as.
std::string programInfo();

struct GatewaySettings {
    // Empty: PJLink without authentication ("PJLINK 0").
    std::string password;
    // NAME ? (at most 64 characters), INF2 ? and INFO ? (at most 32 each); longer values are
    // cut and characters outside printable ASCII left out, so they fit a response line.
    std::string name = "LT540";
    std::string model = "LT540";
    std::string info = programInfo();
    // A log line for every request and every PJLink command, not only for connections and
    // failures.
    bool verbose = false;
};

// Made after the queue, destroyed before it; sessions hold a reference and must go first.
class Gateway {
  public:
    // `now` in milliseconds, from any fixed origin. `randomBytes(n)` gives n bytes from a
    // secure source, or fewer when it has none (the connection is then refused).
    Gateway(RequestQueue& queue, TimerFactory& timers, std::function<std::int64_t()> now,
            std::function<std::string(std::size_t)> randomBytes, GatewaySettings settings);
    Gateway(const Gateway&) = delete;
    Gateway& operator=(const Gateway&) = delete;

    // One line per connection and per failure; per request and command when verbose.
    std::function<void(const std::string& line)> onLog;
    // Called as each request ends, and for each one refused or dropped before the line.
    std::function<void(const RequestEvent& event)> onRequest;

    const GatewaySettings& settings() const { return settings_; }
    const Identity& identity() const { return identity_; }
    ProjectorMemory& memory() { return memory_; }
    bool lineOpen() const { return queue_.lineOpen(); }
    TimerFactory& timers() { return timers_; }
    std::int64_t now() const { return now_(); }
    std::string randomBytes(std::size_t count) const;

    // The queue's submit() (or, `ahead`, submitNext()) for a source: the request is timed and
    // reported, the codes the projector acknowledged are noted in the memory, and then its own
    // completion is called. `who` names the client in verbose logs ("raw 192.0.2.7:4001").
    RequestQueue::Id submit(RequestSource source, const std::string& who, Request request,
                            bool ahead = false);
    // Takes back a waiting request, reported as failed; false when it was on the line or done.
    bool cancel(RequestSource source, RequestQueue::Id id);
    // A request a session refused before it reached the queue, reported as failed.
    void refused(RequestSource source);

    void log(const std::string& line) const;

  private:
    void requestEnded(RequestSource source, const std::string& who,
                      const std::vector<Frame>& frames, std::optional<std::int64_t> startedAt,
                      const RequestResult& result);
    void report(RequestSource source, Verdict verdict, std::optional<std::int64_t> replyMs,
                bool refusedBySession = false);

    RequestQueue& queue_;
    TimerFactory& timers_;
    std::function<std::int64_t()> now_;
    std::function<std::string(std::size_t)> randomBytes_;
    GatewaySettings settings_;
    Identity identity_;
    ProjectorMemory memory_;
};

}  // namespace zoma::gateway
