// The metrics' text as Prometheus reads it, and the HTTP exchange that serves it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gateway/HttpExchange.h"
#include "gateway/MetricsText.h"

namespace zoma::gateway {
namespace {

bool hasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST(MetricsText, ValuesNeverReadAreAbsentAndEveryFamilyIsDescribed) {
    MetricsText metrics("1.31", "tcp://10.0.0.5:4001", "LT540 \"B\"");
    const std::string empty = metrics.render();
    for (const char* line :
         {"zoma_up 0", "zoma_line_reconnects_total 0", "zoma_raw_frames_refused_total 0",
          "zoma_requests_total{source=\"poll\",result=\"no_reply\"} 0",
          "zoma_reply_time_seconds_count 0",
          "zoma_gateway_info{version=\"1.31\",device=\"tcp://10.0.0.5:4001\","
          "model=\"LT540 \\\"B\\\"\"} 1"}) {
        EXPECT_TRUE(hasLine(empty, line)) << line << "\n" << empty;
    }
    for (const char* absent :
         {"zoma_power_state", "zoma_lamp_time_seconds", "zoma_input ", "zoma_temperature_celsius",
          "zoma_orientation", "zoma_last_poll_timestamp_seconds"}) {
        EXPECT_EQ(empty.find(absent), std::string::npos) << absent;
    }

    metrics.setLineOpen(true);
    metrics.valueRead(PowerState::Cooling);
    metrics.valueRead(LampHours{123});
    metrics.valueRead(Temperatures{31.0, -2.5, 30.5});
    metrics.valueRead(InputTerminal{2});
    metrics.valueRead(Orientation::LeftRight);
    metrics.pollAnswered(true, 1765137600.5);
    metrics.requestEnded("pjlink", "ok", 0.004);
    metrics.requestEnded("pjlink", "ok", 0.3);
    metrics.requestEnded("raw", "failed", std::nullopt);
    metrics.reconnected();
    const std::string full = metrics.render();
    for (const char* line : {
             "zoma_up 1",
             "# TYPE zoma_power_state gauge",
             "zoma_power_state{state=\"cooling\"} 1",
             "zoma_power_state{state=\"standby\"} 0",
             "zoma_power_state{state=\"temperature-abnormality\"} 0",
             "zoma_lamp_time_seconds 442800",
             "zoma_temperature_celsius{sensor=\"s2\"} -2.5",
             "zoma_input 2",
             "zoma_orientation{orientation=\"left-right\"} 1",
             "zoma_orientation{orientation=\"normal\"} 0",
             "zoma_last_poll_timestamp_seconds 1765137600.5",
             "zoma_requests_total{source=\"pjlink\",result=\"ok\"} 2",
             "zoma_requests_total{source=\"raw\",result=\"failed\"} 1",
             "zoma_line_reconnects_total 1",
             "zoma_reply_time_seconds_bucket{le=\"0.005\"} 1",
             "zoma_reply_time_seconds_bucket{le=\"0.25\"} 1",
             "zoma_reply_time_seconds_bucket{le=\"0.5\"} 2",
             "zoma_reply_time_seconds_bucket{le=\"+Inf\"} 2",
             "zoma_reply_time_seconds_sum 0.304",
             "zoma_reply_time_seconds_count 2",
         }) {
        EXPECT_TRUE(hasLine(full, line)) << line << "\n" << full;
    }
    // Nine power states, four orientations: one line each.
    EXPECT_EQ(
        std::count(full.begin(), full.end(), '\n') - std::count(empty.begin(), empty.end(), '\n'),
        2 + 9 + 2 + 1 + 2 + 3 + 2 + 1 + 2 + 4 + 2 + 1);
    // Up needs both: the line open and the last poll answered.
    metrics.pollAnswered(false, 1765137660);
    EXPECT_TRUE(hasLine(metrics.render(), "zoma_up 0"));
    EXPECT_TRUE(hasLine(metrics.render(), "zoma_last_poll_timestamp_seconds 1765137600.5"));
}

HttpRequest read(const std::string& bytes) {
    HttpRequestReader reader;
    EXPECT_EQ(reader.feed(bytes), HttpRequestReader::State::Complete) << bytes;
    return reader.request();
}

TEST(HttpExchange, OnlyGetMetricsIsServedAndTheRestGetsAShortCorrectError) {
    const auto metrics = [] { return std::string("zoma_up 1\n"); };
    struct Case {
        const char* behaviour;
        std::string request;
        std::string password;
        const char* statusLine;
        const char* header;  // a header the response must have, or ""
    };
    const Case cases[] = {
        {"a scrape", "GET /metrics HTTP/1.1\r\nHost: x\r\n\r\n", "", "HTTP/1.1 200 OK",
         "Content-Type: text/plain; version=0.0.4; charset=utf-8"},
        {"a query changes nothing", "GET /metrics?x=1 HTTP/1.0\r\n\r\n", "", "HTTP/1.1 200 OK",
         "Content-Length: 10"},
        {"another path", "GET / HTTP/1.1\r\n\r\n", "", "HTTP/1.1 404 Not Found", ""},
        {"another method", "POST /metrics HTTP/1.1\r\nContent-Length: 3\r\n\r\nabc", "",
         "HTTP/1.1 405 Method Not Allowed", "Allow: GET, HEAD"},
        {"another protocol version", "GET /metrics HTTP/2.0\r\n\r\n", "",
         "HTTP/1.1 505 HTTP Version Not Supported", ""},
        {"no credentials where a password is set", "GET /metrics HTTP/1.1\r\n\r\n", "secret",
         "HTTP/1.1 401 Unauthorized", "WWW-Authenticate: Basic realm=\"zoma-gateway\""},
        {"the right credentials",
         "GET /metrics HTTP/1.1\r\nAuthorization: Basic em9tYTpzZWNyZXQ=\r\n\r\n", "secret",
         "HTTP/1.1 200 OK", ""},
        {"the scheme's name in any case",
         "GET /metrics HTTP/1.1\r\nauthorization: basic em9tYTpzZWNyZXQ=\r\n\r\n", "secret",
         "HTTP/1.1 200 OK", ""},
        {"a wrong password",
         "GET /metrics HTTP/1.1\r\nAuthorization: Basic em9tYTp3cm9uZw==\r\n\r\n", "secret",
         "HTTP/1.1 401 Unauthorized", ""},
        {"another user", "GET /metrics HTTP/1.1\r\nAuthorization: Basic b3RoZXI6c2VjcmV0\r\n\r\n",
         "secret", "HTTP/1.1 401 Unauthorized", ""},
        {"not base64", "GET /metrics HTTP/1.1\r\nAuthorization: Basic em9tYT*zZWNyZXQ=\r\n\r\n",
         "secret", "HTTP/1.1 401 Unauthorized", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        const std::string response = answerRequest(read(c.request), c.password, metrics);
        EXPECT_EQ(response.substr(0, response.find("\r\n")), c.statusLine);
        EXPECT_NE(response.find("\r\nConnection: close\r\n"), std::string::npos);
        if (*c.header != '\0') EXPECT_NE(response.find(c.header), std::string::npos) << response;
        // The body is as long as the head says.
        const auto length = response.find("Content-Length: ");
        const auto body = response.find("\r\n\r\n");
        ASSERT_NE(length, std::string::npos);
        EXPECT_EQ(std::stoul(response.substr(length + 16)), response.size() - body - 4);
    }
    // HEAD: the head alone.
    const std::string head = answerRequest(read("HEAD /metrics HTTP/1.1\r\n\r\n"), "", metrics);
    EXPECT_EQ(head.substr(head.size() - 4), "\r\n\r\n");
    EXPECT_NE(head.find("Content-Length: 10"), std::string::npos);
}

TEST(HttpExchange, TheRequestHeadIsReadInPiecesWithinItsBound) {
    HttpRequestReader pieces;
    for (const char* piece : {"GET /met", "rics HTTP/1.1\r", "\nHost: a\r\n", "\r\n"}) {
        pieces.feed(piece);
    }
    EXPECT_EQ(pieces.state(), HttpRequestReader::State::Complete);
    EXPECT_EQ(pieces.request().target, "/metrics");
    EXPECT_EQ(pieces.request().header("HOST"), std::optional<std::string>("a"));

    HttpRequestReader bareLines;
    EXPECT_EQ(bareLines.feed("GET /metrics HTTP/1.0\nHost: a\n\n"),
              HttpRequestReader::State::Complete);

    HttpRequestReader endless;
    std::string header = "GET /metrics HTTP/1.1\r\nX: ";
    for (int i = 0; i < 100 && endless.state() == HttpRequestReader::State::Incomplete; ++i) {
        endless.feed(header);
        header = std::string(1000, 'a');
    }
    EXPECT_EQ(endless.state(), HttpRequestReader::State::TooLarge);

    for (const char* malformed :
         {"GET\r\n\r\n", "GET /metrics\r\n\r\n", "GET  /metrics HTTP/1.1\r\n\r\n",
          "GET /metrics FTP/1\r\n\r\n", "GET /metrics HTTP/1.1\r\nno colon\r\n\r\n"}) {
        HttpRequestReader reader;
        EXPECT_EQ(reader.feed(malformed), HttpRequestReader::State::Malformed) << malformed;
    }
}

}  // namespace
}  // namespace zoma::gateway
