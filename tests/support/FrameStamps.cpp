// Cuts the bytes into frames at each CR under one lock, and wakes whoever waits for them.
#include "support/FrameStamps.h"

#include <chrono>

namespace zoma::testing {

void FrameStamps::add(const std::string& bytes, std::int64_t atNs) {
    if (bytes.empty()) return;
    std::lock_guard<std::mutex> lock(mutex_);
    bool completed = false;
    for (const char c : bytes) {
        partial_ += c;
        if (c == '\r') {
            frames_.push_back({atNs, std::move(partial_)});
            partial_.clear();
            completed = true;
        }
    }
    if (completed) ready_.notify_all();
}

void FrameStamps::dropPartial() {
    std::lock_guard<std::mutex> lock(mutex_);
    partial_.clear();
}

std::vector<FrameStamps::Frame> FrameStamps::take() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<Frame> taken;
    taken.swap(frames_);
    return taken;
}

bool FrameStamps::waitFor(std::size_t count, int timeoutMs) {
    std::unique_lock<std::mutex> lock(mutex_);
    return ready_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [&] { return frames_.size() >= count; });
}

}  // namespace zoma::testing
