// One HTTP/1.x request to the metrics server and its answer: read within a bound, answered with
// a short, correct response, basic authentication checked where a password is set.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zoma::gateway {

// The user name of the metrics' basic authentication; the password is the gateway's.
inline constexpr std::string_view kMetricsUser = "zoma";

struct HttpRequest {
    std::string method;
    std::string target;
    std::string version;
    // Names in lower case, values without the blanks around them.
    std::vector<std::pair<std::string, std::string>> headers;

    std::optional<std::string> header(std::string_view name) const;
};

// Gathers a request's head (request line and headers, up to the blank line) from the bytes as
// they arrive. A request body is not read: the server answers GET and HEAD only.
class HttpRequestReader {
  public:
    // A scrape's request is a few hundred bytes; this is generous.
    static constexpr std::size_t kMaxHead = 8192;

    enum class State { Incomplete, Complete, TooLarge, Malformed };

    State feed(std::string_view bytes);
    State state() const { return state_; }
    const HttpRequest& request() const { return request_; }

  private:
    void parse(std::string_view head);

    std::string buffer_;
    HttpRequest request_;
    State state_ = State::Incomplete;
};

// A whole response, "Connection: close" included: the server answers one request per
// connection.
std::string httpResponse(int status, std::string_view contentType, const std::string& body,
                         const std::vector<std::pair<std::string, std::string>>& extraHeaders = {});

// A short plain-text error response: 400, 401, 404, 405, 408, 431, 505.
std::string httpError(int status);

// The answer to a complete request: the metrics for GET (and HEAD) /metrics, an error otherwise.
// With a password, the request must carry basic authentication as kMetricsUser and the password.
std::string answerRequest(const HttpRequest& request, const std::string& password,
                          const std::function<std::string()>& metrics);

// Whether an Authorization header's value gives these credentials ("Basic dXNlcjpwYXNz").
bool basicAuthorizationMatches(std::string_view value, std::string_view user,
                               std::string_view password);

}  // namespace zoma::gateway
