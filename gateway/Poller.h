// The gateway's own reads of the projector, for the metrics: every read-out at an interval, as
// background requests that keep out of the clients' way.
#pragma once

#include <functional>
#include <string>

#include "gateway/Gateway.h"
#include "gateway/MetricsText.h"
#include "platform/Timer.h"

namespace zoma::gateway {

class Poller {
  public:
    // The power state first: it says whether the projector answers at all.
    static constexpr const char* kReadOuts[] = {"CR0", "CR3", "CR6", "CR1", "CR4"};

    // `unixSeconds` gives the wall clock, for the time of the last poll.
    Poller(Gateway& gateway, MetricsText& metrics, Timer& timer, int intervalSeconds,
           std::function<double()> unixSeconds);
    ~Poller();
    Poller(const Poller&) = delete;
    Poller& operator=(const Poller&) = delete;

    // Polls at once, then every interval.
    void start();

  private:
    void poll();
    void readEnded(const std::string& code, const RequestResult& result);

    Gateway& gateway_;
    MetricsText& metrics_;
    Timer& timer_;
    std::function<double()> unixSeconds_;
    // The reads of the poll under way that have not ended, and whether any was answered.
    int pending_ = 0;
    bool answered_ = false;
};

}  // namespace zoma::gateway
