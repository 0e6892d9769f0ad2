// The order of a zoma-ctl run: one step at a time, each frame followed by its reply window.
#include "ctl/Session.h"

#include <algorithm>
#include <utility>

#include "ctl/Verdict.h"

namespace zoma::ctl {

Session::Session(SerialPort& port, Timer& replyWindow, Timer& repeat, int replyWindowMs)
    : port_(port), replyWindow_(replyWindow), repeat_(repeat) {
    replyWindow_.setEnabled(false);
    replyWindow_.setInterval(replyWindowMs);
    replyWindow_.onTick = [this] { replyWindowEnded(); };
    repeat_.setEnabled(false);
    repeat_.onTick = [this] { repeatTick(); };
    port_.onCommEvent = [this](int event) {
        if (event == SerialPort::kReceive) receive();
    };
    port_.onFailure = [this](const std::string& errorText) {
        if (finished_) return;
        if (onLineFailed) onLineFailed(errorText);
        if (waiting_) finishStep();
        reportNotSent();
        finish();
    };
}

void Session::run(std::vector<Step> steps) {
    steps_ = std::move(steps);
    current_ = 0;
    finished_ = false;
    if (steps_.empty()) {
        finish();
        return;
    }
    startStep();
}

void Session::startStep() {
    // Whatever came in since the last reply window answers nothing of this step.
    port_.readAll();
    received_.clear();
    framesSent_ = 0;
    overLong_ = false;
    waiting_ = true;
    const Step& step = steps_[current_];
    if (step.frames > 1) {
        repeat_.setInterval(step.periodMs);
        repeat_.setEnabled(true);
    }
    sendFrame();
}

void Session::sendFrame() {
    const Step& step = steps_[current_];
    ++framesSent_;
    if (framesSent_ == step.frames) repeat_.setEnabled(false);
    // The window runs from the latest frame; it is (re)started before the write, so a reply
    // that a port hands back at once finds the step complete and its timers in order.
    replyWindow_.setEnabled(true);
    port_.write(step.code + '\r');
}

void Session::receive() {
    const std::string data = port_.readAll();
    if (!waiting_) return;
    const std::size_t limit = kReplyLimit + static_cast<std::size_t>(framesSent_);
    const std::size_t room = limit - std::min(limit, received_.size());
    received_.append(data, 0, std::min(room, data.size()));
    if (replyComplete(steps_[current_], framesSent_, received_)) {
        finishStep();
    } else if (data.size() > room) {
        // Nothing a projector says is that long: keep what fits and end the step.
        overLong_ = true;
        finishStep();
    }
}

void Session::repeatTick() {
    if (waiting_ && framesSent_ < steps_[current_].frames) sendFrame();
}

void Session::replyWindowEnded() {
    replyWindow_.setEnabled(false);
    // Between two frames of a held button the window only ends the wait for the earlier frame;
    // the next frame starts a new one.
    if (waiting_ && framesSent_ == steps_[current_].frames) finishStep();
}

void Session::finishStep() {
    waiting_ = false;
    replyWindow_.setEnabled(false);
    repeat_.setEnabled(false);
    const Result result = verdict(steps_[current_], received_, overLong_);
    ++current_;
    if (onResult) onResult(result);
    // A port closed under the run reports its failure next, and that ends the run.
    if (!port_.isOpen()) return;
    if (current_ < steps_.size()) {
        startStep();
    } else {
        finish();
    }
}

void Session::reportNotSent() {
    for (; current_ < steps_.size(); ++current_) {
        const Step& step = steps_[current_];
        if (onResult) onResult({step.command, step.code, {}, "not sent", false});
    }
}

void Session::finish() {
    if (finished_) return;
    finished_ = true;
    waiting_ = false;
    replyWindow_.setEnabled(false);
    repeat_.setEnabled(false);
    if (onFinished) onFinished();
}

}  // namespace zoma::ctl
