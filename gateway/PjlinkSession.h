// One PJLink class 1 connection: greeting, password, command lines one at a time, answer time,
// idle close.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "gateway/Connection.h"
#include "gateway/Gateway.h"
#include "gateway/PjlinkCommands.h"
#include "gateway/PjlinkLine.h"

namespace zoma::gateway {

// The session greets its peer ("PJLINK 0", or "PJLINK 1" and a fresh random number when a
// password is set). With a password, the first command line must carry the MD5 digest of the
// random number and the password in front (32 hexadecimal characters); a line without it, or
// with another, gets "PJLINK ERRA" and the connection is closed: nothing is answered before.
//
// Command lines are answered one at a time, in order; a few more may wait meanwhile. A command
// that needs the projector goes on the line's queue; one whose turn has not come within the
// answer time is taken back and answered ERR3. Once on the line it is answered when it ends.
// A connection with no command line for 30 seconds is closed.
//
// Lenient where it costs nothing: a line feed before a line (a peer ending lines with CR LF) and
// empty lines are skipped, and a later line that repeats the digest in front is taken without
// it. A line that does not start with "%" and a four-character command cannot be answered (a
// response echoes both): it is dropped and logged.
class PjlinkSession {
  public:
    // Lines that may wait behind the command being answered; a further one is dropped.
    static constexpr std::size_t kMaxWaitingLines = 4;
    // Kept of a line before its CR: the longest command line, CR included, with the digest in
    // front. Whatever is kept of a longer line is still too long to be a command line (ERR2);
    // the characters past it are dropped.
    static constexpr std::size_t kMaxKeptLine = kDigestLength + kMaxLineLength;
    static constexpr int kAnswerTimeMs = 2000;
    static constexpr int kIdleCloseMs = 30000;

    // `who` names the peer in logs ("192.0.2.7:51234").
    PjlinkSession(Gateway& gateway, Connection& connection, std::string who);
    // Takes back the command's request if it still waits; one on the line ends unheard.
    ~PjlinkSession();
    PjlinkSession(const PjlinkSession&) = delete;
    PjlinkSession& operator=(const PjlinkSession&) = delete;

    // Sends the greeting and starts the idle time.
    void start();
    // Bytes from the peer, in any pieces.
    void receive(std::string_view bytes);

    bool closed() const { return closed_; }
    bool authenticated() const { return authenticated_; }
    // What the session holds of its peer's input: the line being received and those waiting.
    std::size_t bufferedBytes() const;

  private:
    void lineEnded();
    void authenticate(const std::string& line);
    bool isDigest(std::string_view text) const;
    void pump();
    void begin(const std::string& line);
    void submit(const std::vector<std::string>& codes, bool ahead);
    void requestEnded(const RequestResult& result);
    void answerTimeEnded();
    void respond(std::string_view parameter);
    void restartIdle();
    void close(const std::string& why);
    void note(std::uint64_t& count, const std::string& first);

    Gateway& gateway_;
    Connection& connection_;
    std::string who_;
    std::unique_ptr<Timer> answerTimer_;
    std::unique_ptr<Timer> idleTimer_;
    // Expires with the session: completions that come later find it gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

    std::string digest_;  // empty without a password
    bool authenticated_ = false;
    bool closed_ = false;

    std::string partial_;
    std::deque<std::string> waiting_;
    bool pumping_ = false;

    // The command being answered.
    bool busy_ = false;
    PjlinkCommand command_;
    CommandPlan plan_;
    bool readDone_ = false;
    bool requestPending_ = false;
    bool requestStarted_ = false;
    RequestQueue::Id requestId_ = 0;

    // Counted, and logged the first time each: a misbehaving peer gets one line each.
    std::uint64_t cutLines_ = 0;
    std::uint64_t droppedLines_ = 0;
    std::uint64_t unanswerableLines_ = 0;
};

}  // namespace zoma::gateway
