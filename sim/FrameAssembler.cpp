// Frame assembly with resynchronisation on the last three characters before each CR.
#include "sim/FrameAssembler.h"

#include "sim/ProjectorCodes.h"

namespace zoma::sim {

namespace {

constexpr std::size_t kCodeLength = 3;

}  // namespace

std::vector<AssembledFrame> FrameAssembler::push(std::string_view bytes) {
    std::vector<AssembledFrame> frames;
    for (char c : bytes) {
        if (c == kLf) continue;
        if (c != kCr) {
            // A long run without CR is garbage anyway; keep its tail so memory stays bounded.
            if (pending_.size() == kMaxKept) {
                pending_.erase(0, 1);
                ++dropped_;
            }
            pending_ += c;
            continue;
        }
        AssembledFrame frame;
        if (pending_.size() >= kCodeLength) {
            const std::size_t start = pending_.size() - kCodeLength;
            frame.code = pending_.substr(start);
            frame.skipped = pending_.substr(0, start);
        } else {
            frame.skipped = pending_;
        }
        frame.skippedCount = dropped_ + frame.skipped.size();
        frames.push_back(std::move(frame));
        pending_.clear();
        dropped_ = 0;
    }
    return frames;
}

}  // namespace zoma::sim
