// The projector's end of a TCP connection, as a device server's: stamps frames, sends bytes.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "support/FrameStamps.h"
#include "support/PollThread.h"

namespace zoma::testing {

// Listens on 127.0.0.1 at a free port. A thread of its own waits on the connection, so a frame is
// stamped the moment it can be read here, whatever the panel's thread is doing. One panel at a
// time, as a device server's raw port: a further connection is closed at once.
class TcpPeer {
  public:
    using Frame = FrameStamps::Frame;

    TcpPeer();
    ~TcpPeer();
    TcpPeer(const TcpPeer&) = delete;
    TcpPeer& operator=(const TcpPeer&) = delete;

    bool ok() const { return listener_ >= 0; }
    // The device the panel opens: "tcp://127.0.0.1:PORT".
    const std::string& device() const { return device_; }
    // Connections let in so far, and whether one is open now.
    int connections() const { return connections_.load(); }
    bool connected() const { return connected_.load(); }

    // Frames completed since the last call, oldest first.
    std::vector<Frame> takeFrames() { return stamps_.take(); }
    // Blocks the caller (not an event loop) until at least `count` frames wait to be taken.
    bool waitForFrames(std::size_t count, int timeoutMs) {
        return stamps_.waitFor(count, timeoutMs);
    }
    FrameStamps& stamps() { return stamps_; }

    // Bytes toward the panel, sent as soon as a panel is connected.
    void send(const std::string& bytes);

  private:
    void prepare(PollThread::Round& round);
    void handle(const PollThread::Round& round, std::int64_t now);
    void admit();
    void readClient(std::int64_t now);
    void writeClient();
    void dropClient();

    int listener_ = -1;
    int client_ = -1;  // owned by the thread
    std::string device_;
    FrameStamps stamps_;

    std::mutex outboxMutex_;
    std::string outbox_;

    std::atomic<int> connections_{0};
    std::atomic<bool> connected_{false};
    PollThread thread_;
};

}  // namespace zoma::testing
