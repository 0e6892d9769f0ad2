// The projector's end of the connection to the panel, as the loop polls, reads and writes it.
#pragma once

#include <string>

#include "sim/SimTime.h"

namespace zoma::sim {

// One panel at a time. While a panel is connected the loop reads and writes peerFd() directly
// (non-blocking); the line itself only knows how a panel arrives and how it leaves, and logs both.
class SimLine {
  public:
    virtual ~SimLine() = default;

    // Where the panel finds the projector: a device path or "tcp://HOST:PORT".
    virtual std::string address() const = 0;

    // The connected panel's descriptor, or -1 while none is connected.
    virtual int peerFd() const = 0;
    bool connected() const { return peerFd() >= 0; }

    // A descriptor that becomes readable when a panel knocks, also while another one is served;
    // -1 when the line has none and admit() must be called every lookAgainMs() instead.
    virtual int doorFd() const = 0;
    virtual int lookAgainMs() const = 0;

    // Lets in a panel that has arrived, or turns one away while another is connected.
    virtual void admit(Millis now) = 0;

    // Ends the connected panel's session: it has left, or the loop drops it.
    virtual void hangUp(Millis now) = 0;
};

}  // namespace zoma::sim
