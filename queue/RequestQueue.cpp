// One request on the line at a time: its frames, their reply windows, and what comes back.
#include "queue/RequestQueue.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace zoma {

namespace {

constexpr char kAck = 6;
constexpr char kNak = 21;
constexpr char kCr = 13;

bool isAnswerByte(char c) {
    return c == kAck || c == kNak;
}

}  // namespace

RequestQueue::RequestQueue(SerialPort& port, const QueueTimers& timers, int replyWindowMs)
    : port_(port), timers_(timers) {
    timers_.replyWindow.setEnabled(false);
    timers_.replyWindow.setInterval(replyWindowMs);
    timers_.replyWindow.onTick = [this] { replyWindowEnded(); };
    timers_.pace.setEnabled(false);
    timers_.pace.onTick = [this] { paceTick(); };
    timers_.backgroundHold.setEnabled(false);
    timers_.backgroundHold.setInterval(kHeldQuietMs);
    timers_.backgroundHold.onTick = [this] {
        timers_.backgroundHold.setEnabled(false);
        pump();
    };
    port_.onCommEvent = [this](int event) {
        if (event == SerialPort::kReceive) receive();
    };
    port_.onFailure = [this](const std::string& reason) { lineFailed(reason); };
}

RequestQueue::~RequestQueue() {
    port_.onCommEvent = nullptr;
    port_.onFailure = nullptr;
    for (Timer* timer : {&timers_.replyWindow, &timers_.pace, &timers_.backgroundHold}) {
        timer->setEnabled(false);
        timer->onTick = nullptr;
    }
}

RequestQueue::Id RequestQueue::submit(Request request) {
    return enqueue(std::move(request), false);
}

RequestQueue::Id RequestQueue::submitNext(Request request) {
    return enqueue(std::move(request), true);
}

RequestQueue::Id RequestQueue::enqueue(Request request, bool ahead) {
    const auto refuse = [&request](Outcome outcome) {
        RequestResult result;
        result.outcome = outcome;
        if (request.onDone) request.onDone(result);
        return Id{0};
    };
    if (!port_.isOpen()) return refuse(Outcome::Failed);
    if (waiting() >= kMaxWaiting) return refuse(Outcome::QueueFull);
    const Id id = nextId_++;
    std::deque<Entry>& line = request.priority == Priority::Background ? background_ : foreground_;
    if (ahead) {
        line.push_front({id, std::move(request)});
    } else {
        line.push_back({id, std::move(request)});
    }
    pump();
    return id;
}

bool RequestQueue::cancel(Id id) {
    for (std::deque<Entry>* line : {&foreground_, &background_}) {
        const auto found = std::find_if(line->begin(), line->end(),
                                        [id](const Entry& entry) { return entry.id == id; });
        if (found != line->end()) {
            line->erase(found);
            return true;
        }
    }
    return false;
}

bool RequestQueue::backgroundMayGo() const {
    return !background_.empty() && foreground_.empty() && !timers_.backgroundHold.isEnabled();
}

void RequestQueue::pump() {
    // A completion that submits, or a request that fails at once, comes back here: the loop
    // below carries on instead.
    if (pumping_) return;
    pumping_ = true;
    while (phase_ == Phase::Idle && !current_) {
        std::deque<Entry>* line = !foreground_.empty() ? &foreground_
                                  : backgroundMayGo()  ? &background_
                                                       : nullptr;
        if (line == nullptr) break;
        Entry entry = std::move(line->front());
        line->pop_front();
        start(std::move(entry));
    }
    pumping_ = false;
}

void RequestQueue::start(Entry entry) {
    current_ = std::move(entry);
    result_ = {};
    frameIndex_ = 0;
    answer_.clear();
    const Request& request = current_->request;
    if (request.frames.empty()) {
        finish(Outcome::Ok);
        return;
    }
    if (!port_.isOpen()) {
        finish(Outcome::Failed);
        return;
    }
    phase_ = Phase::OnLine;
    if (request.onStarted) request.onStarted();
    if (held()) {
        timers_.pace.setInterval(request.periodMs);
        timers_.pace.setEnabled(true);
    }
    sendFrame();
}

void RequestQueue::sendFrame() {
    const Request& request = current_->request;
    const Frame& frame = request.frames[held() ? 0 : frameIndex_];
    ++result_.framesSent;
    if (held() && result_.framesSent >= request.repeat) timers_.pace.setEnabled(false);
    // The window runs from the latest frame. It is started before the write, so that an answer
    // the port hands back at once finds it running.
    timers_.replyWindow.setEnabled(true);
    const Id id = current_->id;
    if (!port_.write(frame.code + '\r') && current_ && current_->id == id) {
        // The port reports its failure too, which then finds this request ended.
        finish(Outcome::Failed);
    }
}

std::size_t RequestQueue::replyLimit() const {
    return kReplyLimit + (held() ? static_cast<std::size_t>(current_->request.repeat) : 0);
}

void RequestQueue::receive() {
    const std::string data = port_.readAll();
    if (phase_ != Phase::OnLine || !current_) {
        strayBytes_ += data.size();
        return;
    }
    for (std::size_t at = 0; at < data.size(); ++at) {
        if (answer_.size() >= replyLimit()) {
            // Nothing a projector says is that long: keep what fits and end the request.
            strayBytes_ += data.size() - at;
            result_.replies.push_back(answer_);
            finish(Outcome::OverLong, true);
            return;
        }
        answer_ += data[at];
        result_.received += data[at];
        if (answerComplete()) {
            // What followed the answer in the same piece came before any next frame went out:
            // it answers nothing.
            strayBytes_ += data.size() - at - 1;
            frameAnswered();
            return;
        }
    }
}

bool RequestQueue::answerComplete() const {
    const Request& request = current_->request;
    const char last = answer_.back();
    if (held()) {
        const auto answers = std::count_if(answer_.begin(), answer_.end(), isAnswerByte);
        return result_.framesSent >= request.repeat && answers >= request.repeat;
    }
    if (request.frames[frameIndex_].answer == Answer::ReadOut) {
        return last == kCr || (answer_.size() == 1 && last == kNak);
    }
    return isAnswerByte(last);
}

void RequestQueue::frameAnswered() {
    timers_.replyWindow.setEnabled(false);
    const Request& request = current_->request;
    std::string reply = answer_;
    answer_.clear();
    const bool readOut = !held() && request.frames[frameIndex_].answer == Answer::ReadOut;
    if (readOut && reply.back() == kCr) reply.pop_back();
    const bool refused =
        reply.find(kNak) != std::string::npos && (held() || !readOut || reply.size() == 1);
    result_.replies.push_back(std::move(reply));
    if (refused) {
        finish(Outcome::Refused);
    } else if (!held() && frameIndex_ + 1 < request.frames.size()) {
        ++frameIndex_;
        sendFrame();
    } else {
        finish(Outcome::Ok);
    }
}

void RequestQueue::replyWindowEnded() {
    timers_.replyWindow.setEnabled(false);
    if (phase_ != Phase::OnLine || !current_) return;
    // Between two frames of a held button the window only ends the wait for the earlier frame;
    // the next frame starts a new one.
    if (held() && result_.framesSent < current_->request.repeat) return;
    const bool refused = held() && answer_.find(kNak) != std::string::npos;
    result_.replies.push_back(answer_);
    answer_.clear();
    finish(refused ? Outcome::Refused : Outcome::NoReply, true);
}

void RequestQueue::paceTick() {
    if (phase_ == Phase::QuietGap) {
        timers_.pace.setEnabled(false);
        phase_ = Phase::Idle;
        pump();
        return;
    }
    if (phase_ == Phase::OnLine && held() && result_.framesSent < current_->request.repeat) {
        sendFrame();
    }
}

void RequestQueue::finish(Outcome outcome, bool answerMayFollow) {
    timers_.replyWindow.setEnabled(false);
    timers_.pace.setEnabled(false);
    Entry done = std::move(*current_);
    current_.reset();
    RequestResult result = std::move(result_);
    result_ = {};
    result.outcome = outcome;
    // Background requests keep off while foreground ones keep coming (a held button's frames).
    if (done.request.priority == Priority::Foreground) timers_.backgroundHold.setEnabled(true);
    // After a silence, or a stream cut short, a late answer may still be on its way.
    if (answerMayFollow && port_.isOpen()) {
        phase_ = Phase::QuietGap;
        timers_.pace.setInterval(kQuietGapMs);
        timers_.pace.setEnabled(true);
    } else {
        phase_ = Phase::Idle;
    }
    if (done.request.onDone) done.request.onDone(result);
    pump();
}

void RequestQueue::lineFailed(const std::string& reason) {
    timers_.replyWindow.setEnabled(false);
    timers_.pace.setEnabled(false);
    phase_ = Phase::Idle;
    std::vector<std::pair<Entry, RequestResult>> ended;
    if (current_) {
        RequestResult result = std::move(result_);
        if (!answer_.empty()) result.replies.push_back(answer_);
        ended.emplace_back(std::move(*current_), std::move(result));
        current_.reset();
    }
    answer_.clear();
    result_ = {};
    for (std::deque<Entry>* line : {&foreground_, &background_}) {
        for (Entry& entry : *line) ended.emplace_back(std::move(entry), RequestResult{});
        line->clear();
    }
    for (auto& [entry, result] : ended) {
        result.outcome = Outcome::Failed;
        if (entry.request.onDone) entry.request.onDone(result);
    }
    if (onLineFailed) onLineFailed(reason);
}

}  // namespace zoma
