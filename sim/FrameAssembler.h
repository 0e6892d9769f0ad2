// Gathers received bytes into command frames: three characters, then CR.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zoma::sim {

struct AssembledFrame {
    std::string code;          // the three characters before the CR; empty when fewer came
    std::string skipped;       // bytes before those three (at most kMaxKept of them, the last ones)
    std::size_t skippedCount;  // how many bytes were skipped in all
};

// Bytes come in any pieces; a frame ends at each CR. LF is dropped wherever it appears, so a
// sender that ends frames with CR LF is served too. Anything else before the CR (noise, a
// partial frame cut short, a longer word) is treated as garbage: the frame is the last three
// characters before the CR and the rest is reported as skipped. A CR that follows fewer than
// three characters ends nothing the projector can act on; it comes back with an empty code so
// the caller can log it, and gets no reply.
class FrameAssembler {
  public:
    static constexpr std::size_t kMaxKept = 64;

    std::vector<AssembledFrame> push(std::string_view bytes);

    // Bytes waiting for their CR.
    std::size_t pendingSize() const { return pending_.size(); }

  private:
    std::string pending_;      // at most kMaxKept bytes since the last CR
    std::size_t dropped_ = 0;  // older bytes since the last CR that did not fit
};

}  // namespace zoma::sim
