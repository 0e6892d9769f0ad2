// One raw client, as a serial device server's raw TCP port serves it: its frames go to the
// projector and what the projector answers comes back to it alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "gateway/Connection.h"
#include "gateway/Gateway.h"

namespace zoma::gateway {

// Each frame the client writes (three characters and CR) is a request on the line's queue,
// answered as its code is ("CR" and a digit by a read-out up to CR, any other by ACK or NAK).
// Every byte the projector sends while it is on the line goes to this client: the panel and
// zoma-ctl work through the gateway as through a serial device server.
//
// A held button sends a frame every few milliseconds while the projector answers; its frames
// may be in hand at most kMaxDepth deep (waiting or on the line). One beyond that is refused,
// never queued to go late in a burst after the button was released; refusals are counted,
// reported as failed requests, and logged once per run (a run ends when the client has no
// frame in hand). Bytes that do not end a frame within kFrameWindow characters are dropped,
// counted, and logged the first time.
class RawSession {
  public:
    // Four frames in hand keep a 5 ms repeat going through a 20 ms answer, and let at most
    // three go after the button is released.
    static constexpr std::size_t kMaxDepth = 4;
    static constexpr std::size_t kFrameWindow = 16;

    // `who` names the client in logs.
    RawSession(Gateway& gateway, Connection& connection, std::string who);
    // Takes back the client's waiting frames; the one on the line ends unheard.
    ~RawSession();
    RawSession(const RawSession&) = delete;
    RawSession& operator=(const RawSession&) = delete;

    void receive(std::string_view bytes);

    // The client's frames waiting or on the line.
    std::size_t depth() const { return depth_; }
    std::uint64_t refusedFrames() const { return refusedFrames_; }
    std::uint64_t droppedBytes() const { return droppedBytes_; }
    std::size_t bufferedBytes() const { return partial_.size(); }

  private:
    void frame(std::string code);
    void drop(std::size_t count);
    // The client's frames in hand have all ended: a run of refusals is over.
    void runEnded();

    Gateway& gateway_;
    Connection& connection_;
    std::string who_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    std::string partial_;
    std::size_t depth_ = 0;
    // The queue's ids of the frames still waiting, by the session's own number for each.
    std::map<std::uint64_t, RequestQueue::Id> waiting_;
    std::uint64_t nextFrame_ = 0;
    std::uint64_t refusedFrames_ = 0;
    std::uint64_t droppedBytes_ = 0;
    std::uint64_t refusedInRun_ = 0;
};

}  // namespace zoma::gateway
