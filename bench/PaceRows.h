// The two rows every held-button figure prints: the frame rate against the period's, and how far
// each frame strays from the moment it was due.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ResultTable.h"

namespace zoma::bench {

// `times` are the held frames' arrival times at the projector's end, oldest first; frame k was
// due at pressedAtNs + k * periodMs. Fewer than three frames are a failed figure.
void addPaceRows(ResultTable& table, const std::string& name,
                 const std::vector<std::int64_t>& times, std::int64_t pressedAtNs, int periodMs);

}  // namespace zoma::bench
