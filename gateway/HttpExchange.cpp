// Reading an HTTP request head and answering it.
#include "gateway/HttpExchange.h"

#include <algorithm>
#include <cctype>

namespace zoma::gateway {

namespace {

struct StatusRow {
    int status;
    std::string_view reason;
};

constexpr StatusRow kStatuses[] = {
    {200, "OK"},
    {400, "Bad Request"},
    {401, "Unauthorized"},
    {404, "Not Found"},
    {405, "Method Not Allowed"},
    {408, "Request Timeout"},
    {431, "Request Header Fields Too Large"},
    {505, "HTTP Version Not Supported"},
};

std::string_view reasonOf(int status) {
    for (const StatusRow& row : kStatuses) {
        if (row.status == status) return row.reason;
    }
    return "Error";
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool isToken(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 ||
               std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
    });
}

std::optional<std::string> base64Decoded(std::string_view text) {
    static constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    if (text.size() % 4 != 0) return std::nullopt;
    std::string out;
    unsigned int bits = 0;
    int count = 0;
    std::size_t padding = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '=') {
            // Padding only at the very end, at most two.
            if (i + 2 < text.size()) return std::nullopt;
            ++padding;
            bits <<= 6;
        } else {
            const auto value = kAlphabet.find(c);
            if (value == std::string_view::npos || padding > 0) return std::nullopt;
            bits = (bits << 6) | static_cast<unsigned int>(value);
        }
        if (++count == 4) {
            out += static_cast<char>((bits >> 16) & 0xff);
            out += static_cast<char>((bits >> 8) & 0xff);
            out += static_cast<char>(bits & 0xff);
            bits = 0;
            count = 0;
        }
    }
    if (padding > 2) return std::nullopt;
    out.resize(out.size() - padding);
    return out;
}

// Compares without stopping at the first difference, so the time taken says nothing of where a
// guess went wrong.
bool sameText(std::string_view a, std::string_view b) {
    unsigned char differ = a.size() == b.size() ? 0 : 1;
    for (std::size_t i = 0; i < a.size(); ++i) {
        differ |= static_cast<unsigned char>(a[i] ^ (i < b.size() ? b[i] : 0));
    }
    return differ == 0;
}

}  // namespace

std::optional<std::string> HttpRequest::header(std::string_view name) const {
    const std::string wanted = lower(name);
    for (const auto& [key, value] : headers) {
        if (key == wanted) return value;
    }
    return std::nullopt;
}

HttpRequestReader::State HttpRequestReader::feed(std::string_view bytes) {
    if (state_ != State::Incomplete) return state_;
    buffer_.append(bytes.substr(0, kMaxHead + 4 - std::min(buffer_.size(), kMaxHead + 4)));
    const auto end = buffer_.find("\r\n\r\n");
    if (end == std::string::npos) {
        // Some clients end lines with LF alone.
        const auto bare = buffer_.find("\n\n");
        if (bare != std::string::npos && bare <= kMaxHead) {
            parse(std::string_view(buffer_).substr(0, bare));
            return state_;
        }
        if (buffer_.size() > kMaxHead) state_ = State::TooLarge;
        return state_;
    }
    if (end > kMaxHead) {
        state_ = State::TooLarge;
        return state_;
    }
    parse(std::string_view(buffer_).substr(0, end));
    return state_;
}

void HttpRequestReader::parse(std::string_view head) {
    std::vector<std::string_view> lines;
    while (!head.empty()) {
        const auto newline = head.find('\n');
        std::string_view line = head.substr(0, newline);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        head = newline == std::string_view::npos ? std::string_view() : head.substr(newline + 1);
    }
    if (lines.empty()) {
        state_ = State::Malformed;
        return;
    }
    // "GET /metrics HTTP/1.1": three parts, one blank between each.
    const std::string_view requestLine = lines[0];
    const auto first = requestLine.find(' ');
    const auto second = first == std::string_view::npos ? first : requestLine.find(' ', first + 1);
    if (second == std::string_view::npos ||
        requestLine.find(' ', second + 1) != std::string_view::npos) {
        state_ = State::Malformed;
        return;
    }
    request_.method = std::string(requestLine.substr(0, first));
    request_.target = std::string(requestLine.substr(first + 1, second - first - 1));
    request_.version = std::string(requestLine.substr(second + 1));
    if (!isToken(request_.method) || request_.target.empty() ||
        request_.version.rfind("HTTP/", 0) != 0) {
        state_ = State::Malformed;
        return;
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto colon = lines[i].find(':');
        if (colon == std::string_view::npos || !isToken(lines[i].substr(0, colon))) {
            state_ = State::Malformed;
            return;
        }
        request_.headers.emplace_back(lower(lines[i].substr(0, colon)),
                                      std::string(trimmed(lines[i].substr(colon + 1))));
    }
    state_ = State::Complete;
}

std::string httpResponse(int status, std::string_view contentType, const std::string& body,
                         const std::vector<std::pair<std::string, std::string>>& extraHeaders) {
    std::string out = "HTTP/1.1 " + std::to_string(status) + " " + std::string(reasonOf(status)) +
                      "\r\nContent-Type: " + std::string(contentType) +
                      "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n";
    for (const auto& [name, value] : extraHeaders) out += name + ": " + value + "\r\n";
    out += "Connection: close\r\n\r\n";
    return out + body;
}

std::string httpError(int status) {
    std::vector<std::pair<std::string, std::string>> extra;
    if (status == 401) {
        extra.emplace_back("WWW-Authenticate", "Basic realm=\"zoma-gateway\", charset=\"UTF-8\"");
    }
    if (status == 405) extra.emplace_back("Allow", "GET, HEAD");
    return httpResponse(status, "text/plain; charset=utf-8",
                        std::to_string(status) + " " + std::string(reasonOf(status)) + "\n", extra);
}

bool basicAuthorizationMatches(std::string_view value, std::string_view user,
                               std::string_view password) {
    value = trimmed(value);
    const auto blank = value.find(' ');
    if (blank == std::string_view::npos || lower(value.substr(0, blank)) != "basic") return false;
    const std::optional<std::string> decoded = base64Decoded(trimmed(value.substr(blank + 1)));
    if (!decoded) return false;
    const std::string expected = std::string(user) + ":" + std::string(password);
    return sameText(*decoded, expected);
}

std::string answerRequest(const HttpRequest& request, const std::string& password,
                          const std::function<std::string()>& metrics) {
    if (request.version != "HTTP/1.1" && request.version != "HTTP/1.0") return httpError(505);
    const bool head = request.method == "HEAD";
    if (request.method != "GET" && !head) return httpError(405);
    // The path alone counts; a query (?name[]=...) changes nothing.
    const std::string path = request.target.substr(0, request.target.find('?'));
    if (path != "/metrics") return httpError(404);
    if (!password.empty()) {
        const std::optional<std::string> authorization = request.header("authorization");
        if (!authorization || !basicAuthorizationMatches(*authorization, kMetricsUser, password)) {
            return httpError(401);
        }
    }
    const std::string body = metrics();
    std::string response = httpResponse(200, "text/plain; version=0.0.4; charset=utf-8", body);
    // HEAD: the same head, with the length the body would have, and no body.
    if (head) response.resize(response.size() - body.size());
    return response;
}

}  // namespace zoma::gateway
