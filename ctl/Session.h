// zoma-ctl's run: its commands, one after another, as requests on the line's queue.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ctl/Step.h"
#include "queue/RequestQueue.h"

namespace zoma::ctl {

// Each command is a request on the queue, and the next one is submitted once it has ended: a
// read-out waits for its reply up to CR, an operation for its ACK or NAK, each within the reply
// window, cut short as soon as the answer is complete. A held button's frames go out at its
// repeat period, whatever the projector answers in between, as the panel sends them while the
// button is held. The queue drives the line; the session only plans and judges.
class Session {
  public:
    explicit Session(RequestQueue& queue);

    // Submits the first command; the others follow as each one ends.
    void run(std::vector<Step> steps);
    bool finished() const { return finished_; }

    // Raised once per step, in order, also for the steps a lost line kept from being sent.
    std::function<void(const Result&)> onResult;
    // Raised once after the last result.
    std::function<void()> onFinished;
    // Raised with the port's reason when the line fails during the run.
    std::function<void(const std::string& reason)> onLineFailed;

  private:
    void submitNext();
    void stepEnded(const RequestResult& request);
    void finish();

    RequestQueue& queue_;
    std::vector<Step> steps_;
    std::size_t current_ = 0;
    bool finished_ = false;
};

}  // namespace zoma::ctl
