// A TCP client of a test, blocking with a limit on every wait: the PJLink controller's, the raw
// client's and the scraper's end of a connection to the gateway.
#pragma once

#include <string>

namespace zoma::testing {

class LineClient {
  public:
    // Connects to 127.0.0.1:port; ok() says whether it did.
    explicit LineClient(int port);
    ~LineClient();
    LineClient(const LineClient&) = delete;
    LineClient& operator=(const LineClient&) = delete;

    bool ok() const { return fd_ >= 0; }
    void send(const std::string& bytes);
    // Everything up to and including `end`, waiting at most `limitMs` for it; what came when
    // the limit passed or the peer closed otherwise.
    std::string readUntil(char end, int limitMs);
    // What arrives within `limitMs`, stopping after a pause of `quietMs` once something came.
    std::string readFor(int limitMs, int quietMs = 50);
    // Everything until the peer closes the connection, or what came before `limitMs` passed.
    std::string readUntilClosed(int limitMs);
    // True when the peer has closed the connection within `limitMs` (everything it sent before
    // is read and dropped).
    bool closedByPeer(int limitMs);
    void close();

  private:
    int fd_ = -1;
    std::string pending_;
};

// A PJLink controller written from PJLink 1.00: greeting, the digest of the random number and
// the password in front of the first command, command and response lines.
class PjlinkClient {
  public:
    PjlinkClient(int port, std::string password = {});

    bool ok() const { return client_.ok(); }
    // The greeting without its CR ("PJLINK 0", "PJLINK 1 498e4a67"); read by the first ask.
    const std::string& greeting();
    // Sends "%1" + command (such as "POWR 1") and returns the response line without its CR
    // ("%1POWR=OK"), or what came before the limit. The first command of a connection with a
    // password carries the digest in front.
    std::string ask(const std::string& command, int limitMs = 5000);
    // Sends a line as it is, CR added, and returns what comes back up to CR.
    std::string askRaw(const std::string& line, int limitMs = 5000);
    LineClient& connection() { return client_; }

  private:
    LineClient client_;
    std::string password_;
    std::string greeting_;
    bool first_ = true;
};

}  // namespace zoma::testing
