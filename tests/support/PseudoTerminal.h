// A pseudo-terminal whose master side the test holds, standing in for the projector's line.
#pragma once

#include <string>

namespace zoma::testing {

class PseudoTerminal {
  public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool ok() const { return master_ >= 0; }
    // Non-blocking and raw, for a peer that polls it itself.
    int masterFd() const { return master_; }
    // The device the panel opens.
    const std::string& slavePath() const { return slavePath_; }

    void write(const std::string& bytes);
    // Appends whatever the master can read now, without waiting. Returns false while no one has
    // the slave open (the master then reports a hang-up instead of data).
    bool readAvailable(std::string& data);
    // Whatever the panel wrote, waiting at most `milliseconds` for the first byte; a pause of a
    // few milliseconds after it ends the read.
    std::string read(int milliseconds);
    // The line speed the panel set, read from the master side.
    int baudRate() const;
    // The device goes away under the panel.
    void closeMaster();

  private:
    int master_ = -1;
    std::string slavePath_;
};

}  // namespace zoma::testing
