// The event loop that plays the projector on the line to the panel.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "sim/ByteSources.h"
#include "sim/FrameAssembler.h"
#include "sim/ProjectorModel.h"
#include "sim/ReplySchedule.h"
#include "sim/SimLine.h"
#include "sim/SimLog.h"
#include "sim/SimOptions.h"

namespace zoma::sim {

// One thread, one poll(): it sleeps until the panel's descriptor has data or room, a panel
// knocks at the line's door, the stop descriptor becomes readable, or the next timed event (a
// reply piece, noise, stream, end of a power phase) is due. A line without a door is looked at
// again every lookAgainMs() while no panel is connected.
class SimLoop {
  public:
    SimLoop(const SimOptions& options, SimLine& line, SimLog& log, int stopFd);

    // Serves the line until `stopFd` becomes readable.
    void run();

    Millis now() const;

  private:
    void queueDue(Millis now);
    void writeOutput(Millis now);
    bool stillHungUp() const;
    void readInput(Millis now, bool hungUp);
    void answerFrames(std::string_view bytes, Millis now);
    void admitPanel(Millis now);
    void hangUp(Millis now);
    int pollTimeout(Millis now) const;
    // Queues noise or stream bytes up to the unsent limit; returns how many were taken.
    std::size_t queueUnsolicited(const std::string& bytes);

    SimLine& line_;
    SimLog& log_;
    int stopFd_;
    std::chrono::steady_clock::time_point start_;
    ProjectorModel model_;
    FrameAssembler assembler_;
    ReplySchedule replies_;
    std::optional<NoiseSource> noise_;
    std::optional<StreamSource> stream_;
    std::string output_;  // bytes for the line that the panel's descriptor has not taken yet
    std::uint64_t streamBytes_ = 0;
    int dropAfter_;               // 0: connections are never dropped
    int framesOnConnection_ = 0;  // frames with a code, since the panel connected
};

}  // namespace zoma::sim
