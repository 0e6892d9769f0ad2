// Loopback TCP ports where a device server fails the panel: refusing, or never answering.
#pragma once

#include <string>

namespace zoma::testing {

// Bound but not listening: a connection is refused at once. Held for the test's lifetime so
// that no other program takes the port meanwhile.
class RefusingTcpPort {
  public:
    RefusingTcpPort();
    ~RefusingTcpPort();
    RefusingTcpPort(const RefusingTcpPort&) = delete;
    RefusingTcpPort& operator=(const RefusingTcpPort&) = delete;

    bool ok() const { return !device_.empty(); }
    // "tcp://127.0.0.1:PORT".
    const std::string& device() const { return device_; }

  private:
    int socket_ = -1;
    std::string device_;
};

// Listening with a full accept queue that is never served: the kernel drops every further
// connection request, so a connection neither completes nor fails, as with a device server that
// has gone quiet. Only a time limit ends the wait.
class UnansweringTcpPort {
  public:
    UnansweringTcpPort();
    ~UnansweringTcpPort();
    UnansweringTcpPort(const UnansweringTcpPort&) = delete;
    UnansweringTcpPort& operator=(const UnansweringTcpPort&) = delete;

    bool ok() const { return !device_.empty(); }
    const std::string& device() const { return device_; }

  private:
    int listener_ = -1;
    int filler_ = -1;
    std::string device_;
};

}  // namespace zoma::testing
