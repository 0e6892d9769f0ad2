// Pacing and content of the noise and stream sources.
#include "sim/ByteSources.h"

#include <cmath>

namespace zoma::sim {

RatePacer::RatePacer(double bytesPerSecond, Millis start)
    : bytesPerSecond_(bytesPerSecond), start_(start) {}

std::size_t RatePacer::takeDue(Millis now) {
    if (now <= start_) return 0;
    const auto dueTotal =
        static_cast<std::uint64_t>(static_cast<double>(now - start_) * bytesPerSecond_ / 1000.0);
    if (dueTotal <= sent_) return 0;
    const std::size_t count = dueTotal - sent_;
    sent_ = dueTotal;
    return count;
}

Millis RatePacer::nextDue() const {
    // The first millisecond at which byte number sent_ + 1 is due.
    const double at = static_cast<double>(sent_ + 1) * 1000.0 / bytesPerSecond_;
    return start_ + static_cast<Millis>(std::ceil(at));
}

void RatePacer::restart(Millis now) {
    start_ = now;
    sent_ = 0;
}

NoiseSource::NoiseSource(double bytesPerSecond, std::uint32_t seed, Millis start)
    : pacer_(bytesPerSecond, start), random_(seed) {}

char NoiseSource::nextByte() {
    // The engine's output is fixed by the standard, unlike the distributions, so the modulo keeps
    // a seed's byte sequence the same with every library.
    const std::uint32_t draw = random_();
    switch (draw % 3) {
        case 0:
            return '\0';
        case 1: {
            const unsigned value = (draw >> 8) % 32;  // 0 to 31, and DEL for 0
            return static_cast<char>(value == 0 ? 127 : value);
        }
        default:
            return static_cast<char>(128 + (draw >> 8) % 128);
    }
}

std::string NoiseSource::takeDue(Millis now) {
    std::string bytes;
    for (std::size_t count = pacer_.takeDue(now); count > 0; --count) bytes += nextByte();
    return bytes;
}

StreamSource::StreamSource(std::optional<double> bytesPerSecond, Millis start) {
    if (bytesPerSecond) pacer_.emplace(*bytesPerSecond, start);
}

std::string StreamSource::takeDue(Millis now) {
    if (!pacer_) return {};
    return next(pacer_->takeDue(now));
}

std::optional<Millis> StreamSource::nextDue() const {
    if (!pacer_) return std::nullopt;
    return pacer_->nextDue();
}

void StreamSource::restart(Millis now) {
    if (pacer_) pacer_->restart(now);
}

std::string StreamSource::next(std::size_t count) {
    std::string bytes(count, '\0');
    for (char& c : bytes) c = static_cast<char>(nextValue_++);
    return bytes;
}

}  // namespace zoma::sim
