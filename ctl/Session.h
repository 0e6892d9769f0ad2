// Runs zoma-ctl's commands one after another on the line: send, wait for the reply, judge.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ctl/Step.h"
#include "platform/SerialPort.h"
#include "platform/Timer.h"

namespace zoma::ctl {

// Each command waits for its reply before the next one is sent: a reply window of `replyWindowMs`
// after its last frame, cut short as soon as the reply is complete. A held button's frames go out
// at its repeat period, whatever the projector answers in between, as the panel sends them while
// the button is held. Characters that arrive while no command waits belong to none and are
// dropped. A reply is kept up to kReplyLimit characters (and one more for each frame of a held
// button, its ACKs): a device that streams past that ends the step as an over-long reply. The
// port is expected open; the session never opens, closes or configures it.
class Session {
  public:
    static constexpr std::size_t kReplyLimit = 256;

    Session(SerialPort& port, Timer& replyWindow, Timer& repeat, int replyWindowMs);

    // Starts the first step; the others follow from the port's and the timers' events.
    void run(std::vector<Step> steps);
    bool finished() const { return finished_; }

    // Raised once per step, in order.
    std::function<void(const Result&)> onResult;
    // Raised once after the last result, or when the line fails (the current step's result is
    // raised first, then a "not sent" result for each step after it).
    std::function<void()> onFinished;
    // Raised with the port's reason when the line fails during the run, before onFinished.
    std::function<void(const std::string& errorText)> onLineFailed;

  private:
    void startStep();
    void sendFrame();
    void receive();
    void replyWindowEnded();
    void repeatTick();
    void finishStep();
    void reportNotSent();
    void finish();

    SerialPort& port_;
    Timer& replyWindow_;
    Timer& repeat_;
    std::vector<Step> steps_;
    std::size_t current_ = 0;
    int framesSent_ = 0;
    std::string received_;
    bool waiting_ = false;
    bool overLong_ = false;
    bool finished_ = false;
};

}  // namespace zoma::ctl
