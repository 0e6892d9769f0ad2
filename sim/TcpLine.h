// A TCP port that stands in for the projector's serial port, as a serial device server offers it.
#pragma once

#include <string>

#include "sim/SimLine.h"
#include "sim/SimLog.h"

namespace zoma::sim {

// Raw mode, as a device server's raw TCP port: bytes pass unchanged both ways, with no Telnet
// negotiation, no framing and no line-ending changes. One panel at a time: a connection that
// arrives while one is served is accepted and closed at once, so that panel fails fast instead
// of waiting in the listen queue.
class TcpLine : public SimLine {
  public:
    // Listens on `host` (an IPv4 or IPv6 literal) at `port`, or at a free port when it is 0.
    // Throws std::system_error on failure.
    TcpLine(const std::string& host, int port, SimLog& log);
    ~TcpLine() override;
    TcpLine(const TcpLine&) = delete;
    TcpLine& operator=(const TcpLine&) = delete;

    // "tcp://127.0.0.1:4001", "tcp://[::1]:4001", with the port actually bound.
    std::string address() const override { return address_; }
    int peerFd() const override { return client_; }
    int doorFd() const override { return listener_; }
    int lookAgainMs() const override { return -1; }
    void admit(Millis now) override;
    void hangUp(Millis now) override;

  private:
    SimLog& log_;
    int listener_ = -1;
    int client_ = -1;
    std::string address_;
    std::string clientName_;  // "127.0.0.1:40312", for the log
};

}  // namespace zoma::sim
