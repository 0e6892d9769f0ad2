// When each reply, or each piece of it, goes out on a line with a slow or choppy sender.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "sim/SimTime.h"

namespace zoma::sim {

struct ReplyTiming {
    Millis delayMs = 0;         // from the frame's CR to the first byte of its reply
    std::size_t pieceSize = 0;  // bytes per piece; 0 sends each reply whole
    Millis gapMs = 0;           // between the pieces of one reply
    bool silent = false;        // the projector never answers
};

struct ReplyPiece {
    Millis due;
    std::string bytes;
    int index;  // 1-based, of `count` pieces of the same reply
    int count;
};

// Replies keep their order: one that is ready early waits until the pieces of the previous one
// are all out (and one gap more), so pieces of different replies never mix.
class ReplySchedule {
  public:
    explicit ReplySchedule(const ReplyTiming& timing) : timing_(timing) {}

    void add(const std::string& reply, Millis now);

    std::optional<Millis> nextDue() const;

    // The pieces due at `now`, in order, removed from the schedule.
    std::vector<ReplyPiece> takeDue(Millis now);

    // Forgets every piece not yet sent (the panel has closed the line).
    void clear() { pieces_.clear(); }

  private:
    ReplyTiming timing_;
    std::deque<ReplyPiece> pieces_;
};

}  // namespace zoma::sim
