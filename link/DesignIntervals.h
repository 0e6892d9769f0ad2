// The reply window's and the monitor hold's design intervals, which every release of a held
// button restores: the one place their lengths are decided.
#pragma once

namespace zoma {

constexpr int kReplyWindowInterval = 500;
constexpr int kMonitorHoldInterval = 1000;

}  // namespace zoma
