// The one queue of requests on a projector's line, shared by every user of the line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "platform/SerialPort.h"
#include "platform/Timer.h"
#include "queue/Request.h"

namespace zoma {

// The timers the queue runs on: the program passes Qt's, the tests the virtual clock's.
struct QueueTimers {
    Timer& replyWindow;     // the wait for a frame's answer
    Timer& pace;            // a held button's frames, and the quiet gap after a silence
    Timer& backgroundHold;  // how long background requests keep off after foreground ones
};

// One request is on the line at a time: its frames, each followed by its reply window, until its
// answer is complete or the window ends; then its completion is called and the next one goes.
// Requests come at any time from any number of users; a request's frames and replies are never
// split or interleaved with another's.
//
// Foreground requests go first, in the order they came. Background requests go only when no
// foreground request waits and none has been on the line for kHeldQuietMs, longer than the
// slowest repeat of a held button: a held button's frames that keep arriving one by one keep
// them off.
//
// The protocol carries no request numbers, so a late reply cannot be told from the next frame's.
// After a window that ended without a complete answer, the next frame waits kQuietGapMs and what
// arrives in that gap is dropped; a reply later still is taken for the next frame's.
//
// Bytes that arrive while no request is on the line answer nothing: they are dropped and
// counted. When the line fails, the request on the line and every waiting one complete as
// failed, at once; a request submitted while the line is closed fails at once.
class RequestQueue {
  public:
    using Id = std::uint64_t;

    // Requests that may wait; a further one is refused with Outcome::QueueFull.
    static constexpr std::size_t kMaxWaiting = 64;
    // Characters kept of one frame's answer (and one more per frame of a held button, its
    // ACKs); a device that sends more ends the request as over-long.
    static constexpr std::size_t kReplyLimit = 256;
    static constexpr int kQuietGapMs = 100;
    static constexpr int kHeldQuietMs = 600;
    static constexpr int kDefaultReplyWindowMs = 500;

    // The queue takes the port's receive and failure events; the port is opened, closed and
    // configured by its owner.
    RequestQueue(SerialPort& port, const QueueTimers& timers,
                 int replyWindowMs = kDefaultReplyWindowMs);
    ~RequestQueue();
    RequestQueue(const RequestQueue&) = delete;
    RequestQueue& operator=(const RequestQueue&) = delete;

    // Queues the request and returns its id; a request that cannot wait (the line is closed,
    // the queue is full) has its completion called before this returns, and 0 is returned.
    Id submit(Request request);
    // As submit(), but ahead of every request waiting in its priority's line: the second half
    // of a request that must follow the first at once (a set after the read that allowed it),
    // before whatever came meanwhile. Bound and failures as for submit().
    Id submitNext(Request request);
    // Takes a waiting request off the queue; its completion is not called. False when it is on
    // the line already, has ended, or was never queued.
    bool cancel(Id id);

    bool busy() const { return current_.has_value(); }
    // Whether a request submitted now could go on the line: the port is open.
    bool lineOpen() const { return port_.isOpen(); }
    std::size_t waiting() const { return foreground_.size() + background_.size(); }
    // Bytes that answered no request.
    std::uint64_t strayBytes() const { return strayBytes_; }

    // Raised with the port's reason when the line fails, after every request has completed.
    std::function<void(const std::string& reason)> onLineFailed;

  private:
    struct Entry {
        Id id = 0;
        Request request;
    };
    enum class Phase { Idle, OnLine, QuietGap };

    Id enqueue(Request request, bool ahead);
    void pump();
    bool backgroundMayGo() const;
    void start(Entry entry);
    void sendFrame();
    void receive();
    bool answerComplete() const;
    void frameAnswered();
    void replyWindowEnded();
    void paceTick();
    // `answerMayFollow` when the request ends before its answer was complete: a late answer is
    // then let arrive, and dropped, before the next frame goes out.
    void finish(Outcome outcome, bool answerMayFollow = false);
    void lineFailed(const std::string& reason);
    bool held() const { return current_ && current_->request.repeat > 1; }
    std::size_t replyLimit() const;

    SerialPort& port_;
    QueueTimers timers_;
    std::deque<Entry> foreground_;
    std::deque<Entry> background_;
    std::optional<Entry> current_;
    Phase phase_ = Phase::Idle;
    // The frame of current_ waiting for its answer, and what came for it so far.
    std::size_t frameIndex_ = 0;
    std::string answer_;
    bool answerCut_ = false;
    RequestResult result_;
    Id nextId_ = 1;
    std::uint64_t strayBytes_ = 0;
    bool pumping_ = false;
};

}  // namespace zoma
