// The gateway's metrics as Prometheus reads them: the projector's last values, the counters of
// requests and reconnects, the reply times, in the text exposition format.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "replies/ProjectorValues.h"

namespace zoma::gateway {

class MetricsText {
  public:
    // Upper bounds of the reply-time histogram's buckets, in seconds: a frame's answer takes a
    // few milliseconds on a real line; the reply window is half a second; a request of several
    // frames, or one that waited, takes longer.
    static constexpr std::array<double, 11> kReplyBuckets = {0.005, 0.01, 0.025, 0.05, 0.1, 0.25,
                                                             0.5,   1,    2.5,   5,    10};

    MetricsText(std::string version, std::string device, std::string model);

    // The line's state and the last poll: up when the line is open and the projector answered.
    void setLineOpen(bool open) { lineOpen_ = open; }
    void pollAnswered(bool answered, double unixSeconds);
    // A read-out's value from a poll; the families stay absent until a value was read.
    void valueRead(const ProjectorValue& value);

    // A request that ended: its source ("pjlink", "raw", "poll"), its result ("ok", "refused",
    // "no_reply", "failed") and, when it went on the line, how long its answer took.
    void requestEnded(std::string_view source, std::string_view result,
                      std::optional<double> replySeconds);
    void reconnected() { ++reconnects_; }
    void rawFrameRefused() { ++rawFramesRefused_; }
    void setDevice(std::string device) { device_ = std::move(device); }

    // The whole exposition, as a scrape serves it.
    std::string render() const;

  private:
    std::string version_;
    std::string device_;
    std::string model_;
    bool lineOpen_ = false;
    bool lastPollAnswered_ = false;
    std::optional<double> lastPollSeconds_;
    std::optional<PowerState> power_;
    std::optional<int> lampHours_;
    std::optional<Temperatures> temperatures_;
    std::optional<int> input_;
    std::optional<Orientation> orientation_;
    std::map<std::pair<std::string, std::string>, std::uint64_t> requests_;
    std::uint64_t reconnects_ = 0;
    std::uint64_t rawFramesRefused_ = 0;
    std::array<std::uint64_t, kReplyBuckets.size()> bucketCounts_{};
    std::uint64_t replyCount_ = 0;
    double replySum_ = 0;
};

// A label value as the exposition format writes it: backslash, double quote and line feed
// escaped.
std::string labelValue(std::string_view text);

}  // namespace zoma::gateway
