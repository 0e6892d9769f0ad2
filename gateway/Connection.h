// A client's connection as the gateway's sessions see it; the program implements it on its
// sockets.
#pragma once

#include <string>

namespace zoma::gateway {

class Connection {
  public:
    virtual ~Connection() = default;

    // Queues the bytes for the peer, in order.
    virtual void send(const std::string& bytes) = 0;
    // Ends the connection once what was sent has gone; the session sends nothing after it. It
    // is called from inside the session (a timer's tick, a received line): the session must
    // outlive the call, so an implementation destroys it later (Qt: deleteLater).
    virtual void close() = 0;
};

}  // namespace zoma::gateway
