// A raw client's frames on the line's queue, a few deep at most, and its answers back to it.
#include "gateway/RawSession.h"

#include <utility>

namespace zoma::gateway {

namespace {

constexpr std::size_t kCodeLength = 3;

}  // namespace

RawSession::RawSession(Gateway& gateway, Connection& connection, std::string who)
    : gateway_(gateway), connection_(connection), who_("raw " + std::move(who)) {
    gateway_.log(who_ + ": connected");
}

RawSession::~RawSession() {
    for (const auto& [frame, id] : waiting_) gateway_.cancel(RequestSource::Raw, id);
    runEnded();
    gateway_.log(who_ + ": closed (frames refused " + std::to_string(refusedFrames_) +
                 ", bytes dropped " + std::to_string(droppedBytes_) + ")");
}

void RawSession::receive(std::string_view bytes) {
    for (char c : bytes) {
        if (c == '\r') {
            // The three characters before a CR are a frame; anything before them is not.
            if (partial_.size() < kCodeLength) {
                drop(partial_.size() + 1);
            } else {
                drop(partial_.size() - kCodeLength);
                frame(partial_.substr(partial_.size() - kCodeLength));
            }
            partial_.clear();
            continue;
        }
        partial_ += c;
        if (partial_.size() == kFrameWindow) {
            // No CR within the window: all but the last three can no longer be in a frame.
            drop(kFrameWindow - kCodeLength);
            partial_.erase(0, kFrameWindow - kCodeLength);
        }
    }
}

void RawSession::drop(std::size_t count) {
    if (count == 0) return;
    // Once per connection: a client that sends junk all the time must not fill the log.
    if (droppedBytes_ == 0) gateway_.log(who_ + ": dropping bytes that are no frame");
    droppedBytes_ += count;
}

void RawSession::frame(std::string code) {
    if (depth_ >= kMaxDepth) {
        // Logged once per run of refusals: a held button on a slow answer refuses many.
        if (refusedInRun_++ == 0) {
            gateway_.log(who_ + ": refusing frames beyond " + std::to_string(kMaxDepth) +
                         " in hand");
        }
        ++refusedFrames_;
        gateway_.refused(RequestSource::Raw);
        return;
    }
    ++depth_;
    const std::uint64_t number = nextFrame_++;
    Request request;
    request.frames = {frameFor(code)};
    const std::weak_ptr<bool> alive = alive_;
    request.onStarted = [this, alive, number] {
        if (!alive.expired()) waiting_.erase(number);
    };
    request.onDone = [this, alive, number](const RequestResult& result) {
        if (alive.expired()) return;
        waiting_.erase(number);
        if (--depth_ == 0) runEnded();
        if (!result.received.empty()) connection_.send(result.received);
    };
    // In before the submit: the queue may start or end the request before submit() returns.
    waiting_.emplace(number, 0);
    const RequestQueue::Id id = gateway_.submit(RequestSource::Raw, who_, std::move(request));
    const auto still = waiting_.find(number);
    if (still == waiting_.end()) return;
    if (id == 0) {
        waiting_.erase(still);
    } else {
        still->second = id;
    }
}

void RawSession::runEnded() {
    if (refusedInRun_ == 0) return;
    gateway_.log(who_ + ": " + std::to_string(refusedInRun_) + " frames refused");
    refusedInRun_ = 0;
}

}  // namespace zoma::gateway
