// One connection to the metrics server: a request read within a bound and a time, one answer,
// and the connection closed.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "gateway/Connection.h"
#include "gateway/HttpExchange.h"
#include "platform/TimerFactory.h"

namespace zoma::gateway {

class HttpSession {
  public:
    // A scraper sends its request at once; a client that trickles it is cut off after this.
    static constexpr int kRequestTimeMs = 10000;

    // `password` empty: no authentication. `metrics` renders the exposition when a scrape asks.
    HttpSession(Connection& connection, TimerFactory& timers, std::string password,
                std::function<std::string()> metrics);
    HttpSession(const HttpSession&) = delete;
    HttpSession& operator=(const HttpSession&) = delete;

    // Starts the request time.
    void start();
    void receive(std::string_view bytes);
    bool closed() const { return closed_; }

  private:
    void answer(const std::string& response);

    Connection& connection_;
    std::string password_;
    std::function<std::string()> metrics_;
    std::unique_ptr<Timer> requestTimer_;
    HttpRequestReader reader_;
    bool closed_ = false;
};

}  // namespace zoma::gateway
