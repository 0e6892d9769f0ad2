// The order of a zoma-ctl run: one command's request at a time, judged as it ends.
#include "ctl/Session.h"

#include <utility>

#include "ctl/Verdict.h"

namespace zoma::ctl {

Session::Session(RequestQueue& queue) : queue_(queue) {
    queue_.onLineFailed = [this](const std::string& reason) {
        if (onLineFailed) onLineFailed(reason);
    };
}

void Session::run(std::vector<Step> steps) {
    steps_ = std::move(steps);
    current_ = 0;
    finished_ = false;
    submitNext();
}

void Session::submitNext() {
    if (current_ >= steps_.size()) {
        finish();
        return;
    }
    const Step& step = steps_[current_];
    Request request;
    request.frames = {{step.code, step.answer}};
    request.repeat = step.frames;
    request.periodMs = step.periodMs;
    request.onDone = [this](const RequestResult& result) { stepEnded(result); };
    queue_.submit(std::move(request));
}

void Session::stepEnded(const RequestResult& request) {
    const Step& step = steps_[current_++];
    if (onResult) onResult(verdict(step, request));
    if (request.outcome != Outcome::Failed) {
        submitNext();
        return;
    }
    // The line is gone: every command left still gets its line.
    for (; current_ < steps_.size(); ++current_) {
        if (onResult) onResult(verdict(steps_[current_], RequestResult{}));
    }
    finish();
}

void Session::finish() {
    if (finished_) return;
    finished_ = true;
    if (onFinished) onFinished();
}

}  // namespace zoma::ctl
