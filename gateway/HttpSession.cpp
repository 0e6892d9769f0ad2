// Reads one request, answers it, closes.
#include "gateway/HttpSession.h"

#include <utility>

namespace zoma::gateway {

HttpSession::HttpSession(Connection& connection, TimerFactory& timers, std::string password,
                         std::function<std::string()> metrics)
    : connection_(connection),
      password_(std::move(password)),
      metrics_(std::move(metrics)),
      requestTimer_(timers.createTimer()) {
    requestTimer_->setInterval(kRequestTimeMs);
    requestTimer_->onTick = [this] { answer(httpError(408)); };
}

void HttpSession::start() {
    requestTimer_->setEnabled(true);
}

void HttpSession::receive(std::string_view bytes) {
    if (closed_) return;
    switch (reader_.feed(bytes)) {
        case HttpRequestReader::State::Incomplete:
            return;
        case HttpRequestReader::State::Complete:
            answer(answerRequest(reader_.request(), password_, metrics_));
            return;
        case HttpRequestReader::State::TooLarge:
            answer(httpError(431));
            return;
        case HttpRequestReader::State::Malformed:
            answer(httpError(400));
            return;
    }
}

void HttpSession::answer(const std::string& response) {
    if (closed_) return;
    closed_ = true;
    requestTimer_->setEnabled(false);
    connection_.send(response);
    connection_.close();
}

}  // namespace zoma::gateway
