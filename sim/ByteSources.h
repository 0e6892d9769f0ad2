// Unsolicited bytes on the line: random noise and a continuous stream, each at a steady rate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "sim/SimTime.h"

namespace zoma::sim {

// Spreads a number of bytes per second evenly over time, so that a caller waking at any moment
// learns how many bytes are due and when the next one is.
class RatePacer {
  public:
    RatePacer(double bytesPerSecond, Millis start);

    // Bytes that became due since the last call (or the start); counts them as sent.
    std::size_t takeDue(Millis now);
    Millis nextDue() const;
    // Starts counting again from `now`, forgetting what fell due meanwhile (the line was closed).
    void restart(Millis now);

  private:
    double bytesPerSecond_;
    Millis start_;
    std::uint64_t sent_ = 0;
};

// Line noise: a mix of NUL, other control characters (DEL included) and bytes above 127, drawn
// from a PRNG with a fixed seed so a run can be repeated exactly.
class NoiseSource {
  public:
    NoiseSource(double bytesPerSecond, std::uint32_t seed, Millis start);

    std::string takeDue(Millis now);
    Millis nextDue() const { return pacer_.nextDue(); }
    void restart(Millis now) { pacer_.restart(now); }

  private:
    char nextByte();

    RatePacer pacer_;
    std::mt19937 random_;
};

// A continuous stream: the byte values 0 to 255 over and over, so every code reaches the panel.
class StreamSource {
  public:
    // Without a rate the stream goes as fast as the line takes it.
    StreamSource(std::optional<double> bytesPerSecond, Millis start);

    bool unpaced() const { return !pacer_; }
    std::string takeDue(Millis now);
    std::optional<Millis> nextDue() const;
    void restart(Millis now);
    // The next `count` bytes of the pattern, for the unpaced stream.
    std::string next(std::size_t count);

  private:
    std::optional<RatePacer> pacer_;
    unsigned char nextValue_ = 0;
};

}  // namespace zoma::sim
