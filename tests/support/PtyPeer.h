// The projector's end of a pseudo-terminal: stamps every frame the panel writes, and can flood.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "support/FrameStamps.h"
#include "support/PollThread.h"
#include "support/PseudoTerminal.h"

namespace zoma::testing {

// A thread of its own waits on the master side, so a frame is stamped the moment it can be read
// there, whatever the panel's thread is doing.
class PtyPeer {
  public:
    // Flood rate meaning "as fast as the terminal takes the bytes".
    static constexpr double kFloodMax = -1;

    using Frame = FrameStamps::Frame;

    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    bool ok() const { return line_.ok(); }
    // The device the panel opens.
    const std::string& slavePath() const { return line_.slavePath(); }

    // Frames completed since the last call, oldest first.
    std::vector<Frame> takeFrames() { return stamps_.take(); }
    // Blocks the caller (not an event loop) until at least `count` frames wait to be taken.
    bool waitForFrames(std::size_t count, int timeoutMs) {
        return stamps_.waitFor(count, timeoutMs);
    }
    FrameStamps& stamps() { return stamps_; }

    // Answers every frame at once, as a projector in stand-by would: a read-out with its reply
    // (status 80, input 1, 123 hours, normal, three temperatures), any other code with ACK. Off
    // by default: most figures want a silent line.
    void setAnswering(bool answering) { answering_ = answering; }

    // Bytes toward the panel: 0 stops, a positive rate paces them in bytes per second,
    // kFloodMax writes whenever the terminal has room. The bytes run 0 to 255 and over again.
    void setFlood(double bytesPerSecond);
    std::uint64_t floodedBytes() const { return flooded_.load(); }

  private:
    void prepare(PollThread::Round& round);
    void handle(const PollThread::Round& round, std::int64_t now);
    void readAvailable(std::int64_t now);
    void writeFlood(std::int64_t now);

    void answer(const std::string& bytes);

    PseudoTerminal line_;
    FrameStamps stamps_;
    std::atomic<bool> answering_{false};
    // Owned by the thread: the frame being received, for answering it.
    std::string partialFrame_;

    std::atomic<double> floodRate_{0};
    std::atomic<std::uint64_t> flooded_{0};
    // Owned by the thread: the paced flood's start and what it has written since.
    std::int64_t floodStartNs_ = 0;
    double floodStartRate_ = 0;
    std::uint64_t floodSinceStart_ = 0;
    unsigned char nextByte_ = 0;

    PollThread thread_;
};

}  // namespace zoma::testing
