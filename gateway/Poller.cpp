// Submits the read-outs, decodes their replies into the metrics' values.
#include "gateway/Poller.h"

#include "replies/ProjectorValues.h"

namespace zoma::gateway {

Poller::Poller(Gateway& gateway, MetricsText& metrics, Timer& timer, int intervalSeconds,
               std::function<double()> unixSeconds)
    : gateway_(gateway), metrics_(metrics), timer_(timer), unixSeconds_(std::move(unixSeconds)) {
    timer_.setInterval(intervalSeconds * 1000);
    timer_.onTick = [this] { poll(); };
}

Poller::~Poller() {
    timer_.setEnabled(false);
    timer_.onTick = nullptr;
}

void Poller::start() {
    timer_.setEnabled(true);
    poll();
}

void Poller::poll() {
    // A poll still under way (the line busy with clients) is not doubled.
    if (pending_ > 0) return;
    answered_ = false;
    pending_ = static_cast<int>(std::size(kReadOuts));
    for (const char* code : kReadOuts) {
        Request request;
        request.frames = {frameFor(code)};
        request.priority = Priority::Background;
        request.onDone = [this, code = std::string(code)](const RequestResult& result) {
            readEnded(code, result);
        };
        gateway_.submit(RequestSource::Poll, "poll", std::move(request));
    }
}

void Poller::readEnded(const std::string& code, const RequestResult& result) {
    if (result.outcome == Outcome::Ok && !result.replies.empty()) {
        if (const auto value = decodeValue(code, result.replies.front())) {
            metrics_.valueRead(*value);
            answered_ = true;
        }
    }
    if (--pending_ == 0) metrics_.pollAnswered(answered_, unixSeconds_());
}

}  // namespace zoma::gateway
