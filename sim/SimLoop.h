// The event loop that plays the projector on the pseudo-terminal.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "sim/ByteSources.h"
#include "sim/FrameAssembler.h"
#include "sim/ProjectorModel.h"
#include "sim/PtyLine.h"
#include "sim/ReplySchedule.h"
#include "sim/SimLog.h"
#include "sim/SimOptions.h"

namespace zoma::sim {

// One thread, one poll(): it sleeps until the line has data or room, the stop descriptor
// becomes readable, or the next timed event (a reply piece, noise, stream, end of a power
// phase) is due. While no one has the slave open the master reports POLLHUP at once, so the
// loop then leaves the master out of poll() and looks again every kHungUpPollMs.
class SimLoop {
  public:
    static constexpr int kHungUpPollMs = 20;

    SimLoop(const SimOptions& options, const PtyLine& line, SimLog& log, int stopFd);

    // Serves the line until `stopFd` becomes readable.
    void run();

    Millis now() const;

  private:
    void queueDue(Millis now);
    void writeOutput(Millis now);
    void readInput(Millis now, bool hungUp);
    void answerFrames(std::string_view bytes, Millis now);
    void checkReopened(Millis now);
    void hangUp(Millis now);
    int pollTimeout(Millis now) const;
    // Queues noise or stream bytes up to the unsent limit; returns how many were taken.
    std::size_t queueUnsolicited(const std::string& bytes);

    const PtyLine& line_;
    SimLog& log_;
    int stopFd_;
    std::chrono::steady_clock::time_point start_;
    ProjectorModel model_;
    FrameAssembler assembler_;
    ReplySchedule replies_;
    std::optional<NoiseSource> noise_;
    std::optional<StreamSource> stream_;
    std::string output_;  // bytes for the line that the master has not taken yet
    bool connected_ = false;
    std::uint64_t streamBytes_ = 0;
};

}  // namespace zoma::sim
