// The frames a peer thread reads off the line, each stamped with the moment its CR arrived.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace zoma::testing {

// Filled by the peer's thread, taken by the test or benchmark on its own thread.
class FrameStamps {
  public:
    struct Frame {
        std::int64_t atNs;  // monotonic time of the read that brought the frame's CR
        std::string bytes;  // up to and including the CR
    };

    // The bytes of one read, taken at `atNs`; a frame ends with each CR.
    void add(const std::string& bytes, std::int64_t atNs);
    // Bytes of an unfinished frame are dropped (the line closed under it).
    void dropPartial();

    // Frames completed since the last call, oldest first.
    std::vector<Frame> take();
    // Blocks the caller (not an event loop) until at least `count` frames wait to be taken.
    bool waitFor(std::size_t count, int timeoutMs);

  private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::vector<Frame> frames_;
    std::string partial_;
};

}  // namespace zoma::testing
