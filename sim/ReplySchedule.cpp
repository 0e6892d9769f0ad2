// Splitting and delaying replies.
#include "sim/ReplySchedule.h"

#include <algorithm>

namespace zoma::sim {

void ReplySchedule::add(const std::string& reply, Millis now) {
    if (timing_.silent || reply.empty()) return;
    const std::size_t size = timing_.pieceSize == 0 ? reply.size() : timing_.pieceSize;
    const int count = static_cast<int>((reply.size() + size - 1) / size);
    Millis due = now + timing_.delayMs;
    // Behind a reply still going out, the next one keeps the gap like any other piece.
    if (!pieces_.empty()) due = std::max(due, pieces_.back().due + timing_.gapMs);
    for (int i = 0; i < count; ++i) {
        if (i > 0) due += timing_.gapMs;
        pieces_.push_back({due, reply.substr(i * size, size), i + 1, count});
    }
}

std::optional<Millis> ReplySchedule::nextDue() const {
    if (pieces_.empty()) return std::nullopt;
    return pieces_.front().due;
}

std::vector<ReplyPiece> ReplySchedule::takeDue(Millis now) {
    std::vector<ReplyPiece> due;
    while (!pieces_.empty() && pieces_.front().due <= now) {
        due.push_back(std::move(pieces_.front()));
        pieces_.pop_front();
    }
    return due;
}

}  // namespace zoma::sim
