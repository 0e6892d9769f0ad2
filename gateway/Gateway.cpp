// Requests of every session timed, reported and remembered in one place.
#include "gateway/Gateway.h"

#include <memory>
#include <utility>

namespace zoma::gateway {

namespace {

constexpr std::size_t kMaxNameLength = 64;
constexpr std::size_t kMaxInformationLength = 32;
const std::string kAck(1, 6);

// A configured text as a response parameter can carry it: printable ASCII, cut to the length
// PJLink 1.00 allows the answer.
std::string responseText(std::string_view text, std::size_t maxLength) {
    std::string out;
    for (char c : text) {
        if (out.size() == maxLength) break;
        if (c >= 0x20 && c < 0x7f) out += c;
    }
    return out;
}

std::string codesText(const std::vector<Frame>& frames) {
    std::string text;
    for (const Frame& frame : frames) {
        if (!text.empty()) text += ' ';
        text += frame.code;
    }
    return text;
}

}  // namespace

std::string programInfo() {
#ifdef ZOMA_VERSION
    return "zoma-gateway " ZOMA_VERSION;
#else
    return "zoma-gateway";  // the fuzz build, which has no version
#endif
}

std::string_view sourceName(RequestSource source) {
    switch (source) {
        case RequestSource::Pjlink:
            return "pjlink";
        case RequestSource::Raw:
            return "raw";
        case RequestSource::Poll:
            return "poll";
    }
    return "?";
}

std::string_view verdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::Ok:
            return "ok";
        case Verdict::Refused:
            return "refused";
        case Verdict::NoReply:
            return "no reply";
        case Verdict::Failed:
            return "failed";
    }
    return "?";
}

Verdict verdictOf(Outcome outcome) {
    switch (outcome) {
        case Outcome::Ok:
            return Verdict::Ok;
        case Outcome::Refused:
            return Verdict::Refused;
        case Outcome::NoReply:
        case Outcome::OverLong:
            return Verdict::NoReply;
        case Outcome::Failed:
        case Outcome::QueueFull:
            return Verdict::Failed;
    }
    return Verdict::Failed;
}

Gateway::Gateway(RequestQueue& queue, TimerFactory& timers, std::function<std::int64_t()> now,
                 std::function<std::string(std::size_t)> randomBytes, GatewaySettings settings)
    : queue_(queue),
      timers_(timers),
      now_(std::move(now)),
      randomBytes_(std::move(randomBytes)),
      settings_(std::move(settings)),
      identity_{responseText(settings_.name, kMaxNameLength),
                responseText(settings_.model, kMaxInformationLength),
                responseText(settings_.info, kMaxInformationLength)} {}

std::string Gateway::randomBytes(std::size_t count) const {
    return randomBytes_ ? randomBytes_(count) : std::string();
}

RequestQueue::Id Gateway::submit(RequestSource source, const std::string& who, Request request,
                                 bool ahead) {
    // Shared by the two completions: the queue copies neither, but keeps both until the end.
    auto startedAt = std::make_shared<std::optional<std::int64_t>>();
    request.onStarted = [this, startedAt, own = std::move(request.onStarted)] {
        *startedAt = now();
        if (own) own();
    };
    request.onDone = [this, source, who, startedAt, frames = request.frames,
                      own = std::move(request.onDone)](const RequestResult& result) {
        requestEnded(source, who, frames, *startedAt, result);
        if (own) own(result);
    };
    return ahead ? queue_.submitNext(std::move(request)) : queue_.submit(std::move(request));
}

void Gateway::requestEnded(RequestSource source, const std::string& who,
                           const std::vector<Frame>& frames, std::optional<std::int64_t> startedAt,
                           const RequestResult& result) {
    // Only an acknowledged frame changed the projector; a request cut short by a NAK or a
    // silence still counts the frames before it.
    for (std::size_t i = 0; i < frames.size() && i < result.replies.size(); ++i) {
        if (frames[i].answer == Answer::Acknowledgement && result.replies[i] == kAck) {
            memory_.noteAcknowledged(frames[i].code);
        }
    }
    std::optional<std::int64_t> replyMs;
    if (startedAt) replyMs = now() - *startedAt;
    if (settings_.verbose) {
        std::string line =
            who + ": " + codesText(frames) + ' ' + std::string(outcomeName(result.outcome));
        if (replyMs) line += ' ' + std::to_string(*replyMs) + " ms";
        log(line);
    }
    report(source, verdictOf(result.outcome), replyMs);
}

bool Gateway::cancel(RequestSource source, RequestQueue::Id id) {
    if (!queue_.cancel(id)) return false;
    report(source, Verdict::Failed, std::nullopt);
    return true;
}

void Gateway::refused(RequestSource source) {
    report(source, Verdict::Failed, std::nullopt, true);
}

void Gateway::report(RequestSource source, Verdict verdict, std::optional<std::int64_t> replyMs,
                     bool refusedBySession) {
    if (onRequest) onRequest({source, verdict, replyMs, refusedBySession});
}

void Gateway::log(const std::string& line) const {
    if (onLog) onLog(line);
}

}  // namespace zoma::gateway
