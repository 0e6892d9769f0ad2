// The pseudo-terminal that stands in for the projector's serial port.
#pragma once

#include <string>

#include "sim/SimLine.h"
#include "sim/SimLog.h"

namespace zoma::sim {

// Owns the master side. The slave side is left for the panel: holding it open here would hide
// the panel's close (the master reports POLLHUP only while no one has the slave open). There is
// no event for the panel's open: while the slave is closed the master reports POLLHUP at once,
// over and over, so the loop leaves it out of poll() and asks admit() every kLookAgainMs.
class PtyLine : public SimLine {
  public:
    static constexpr int kLookAgainMs = 20;

    // Creates the pair, makes the slave raw (no echo, no CR/LF translation) and leaves it
    // closed. Throws std::system_error on failure.
    explicit PtyLine(SimLog& log);
    ~PtyLine() override;
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    const std::string& slavePath() const { return slavePath_; }

    std::string address() const override { return slavePath_; }
    int peerFd() const override { return open_ ? master_ : -1; }
    int doorFd() const override { return -1; }
    int lookAgainMs() const override { return kLookAgainMs; }
    void admit(Millis now) override;
    void hangUp(Millis now) override;

  private:
    // Drops whatever was sent to a panel that closed the line before reading it, so whoever
    // opens the slave next does not find stale replies. Only the slave side can flush that
    // queue, so this opens it briefly; best effort.
    void discardUnread() const;

    SimLog& log_;
    int master_ = -1;
    std::string slavePath_;
    bool open_ = false;  // the panel has the slave open
};

// A symbolic link to the slave under a stable name, removed again when this goes away.
class SlaveLink {
  public:
    // Replaces an existing symbolic link at `path`, never any other kind of file. Throws
    // std::system_error (or std::runtime_error for a path that is not a link) on failure.
    SlaveLink(std::string path, const std::string& target);
    ~SlaveLink();
    SlaveLink(const SlaveLink&) = delete;
    SlaveLink& operator=(const SlaveLink&) = delete;

  private:
    std::string path_;
    std::string target_;
};

}  // namespace zoma::sim
