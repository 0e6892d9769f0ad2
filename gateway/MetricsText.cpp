// Renders the metrics: HELP and TYPE for every family, values only once they are known.
#include "gateway/MetricsText.h"

#include <charconv>
#include <cmath>
#include <utility>

namespace zoma::gateway {

namespace {

constexpr std::string_view kSources[] = {"pjlink", "raw", "poll"};
constexpr std::string_view kResults[] = {"ok", "refused", "no_reply", "failed"};

// A sample's value: integers without a point, others as the shortest text that reads back.
std::string number(double value) {
    if (std::isinf(value)) return value > 0 ? "+Inf" : "-Inf";
    if (std::isnan(value)) return "NaN";
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

void family(std::string& out, std::string_view name, std::string_view type, std::string_view help) {
    out += "# HELP ";
    out += name;
    out += ' ';
    out += help;
    out += "\n# TYPE ";
    out += name;
    out += ' ';
    out += type;
    out += '\n';
}

void sample(std::string& out, std::string_view name, std::string_view labels, double value) {
    out += name;
    if (!labels.empty()) {
        out += '{';
        out += labels;
        out += '}';
    }
    out += ' ';
    out += number(value);
    out += '\n';
}

std::string label(std::string_view name, std::string_view value) {
    return std::string(name) + "=\"" + labelValue(value) + "\"";
}

}  // namespace

std::string labelValue(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '"') {
            out += "\\\"";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

MetricsText::MetricsText(std::string version, std::string device, std::string model)
    : version_(std::move(version)), device_(std::move(device)), model_(std::move(model)) {
    for (std::string_view source : kSources) {
        for (std::string_view result : kResults) {
            requests_[{std::string(source), std::string(result)}] = 0;
        }
    }
}

void MetricsText::pollAnswered(bool answered, double unixSeconds) {
    lastPollAnswered_ = answered;
    if (answered) lastPollSeconds_ = unixSeconds;
}

void MetricsText::valueRead(const ProjectorValue& value) {
    if (const auto* power = std::get_if<PowerState>(&value)) power_ = *power;
    if (const auto* lamp = std::get_if<LampHours>(&value)) lampHours_ = lamp->hours;
    if (const auto* temperatures = std::get_if<Temperatures>(&value)) {
        temperatures_ = *temperatures;
    }
    if (const auto* input = std::get_if<InputTerminal>(&value)) input_ = input->number;
    if (const auto* orientation = std::get_if<Orientation>(&value)) orientation_ = *orientation;
}

void MetricsText::requestEnded(std::string_view source, std::string_view result,
                               std::optional<double> replySeconds) {
    ++requests_[{std::string(source), std::string(result)}];
    if (!replySeconds) return;
    ++replyCount_;
    replySum_ += *replySeconds;
    for (std::size_t i = 0; i < kReplyBuckets.size(); ++i) {
        if (*replySeconds <= kReplyBuckets[i]) ++bucketCounts_[i];
    }
}

std::string MetricsText::render() const {
    std::string out;
    family(out, "zoma_up", "gauge",
           "Whether the line is open and the projector answered the last poll (1) or not (0).");
    sample(out, "zoma_up", "", lineOpen_ && lastPollAnswered_ ? 1 : 0);

    if (power_) {
        family(out, "zoma_power_state", "gauge",
               "The projector's power state: 1 for the state it reported last, 0 for the others.");
        for (const PowerStateRow& row : kPowerStates) {
            sample(out, "zoma_power_state", label("state", row.token), row.state == *power_);
        }
    }
    if (lampHours_) {
        family(out, "zoma_lamp_time_seconds", "gauge",
               "How long the lamp has been lit, from the lamp hours the projector reported.");
        sample(out, "zoma_lamp_time_seconds", "", *lampHours_ * 3600.0);
    }
    if (temperatures_) {
        family(out, "zoma_temperature_celsius", "gauge",
               "The projector's three temperature sensors, in degrees Celsius.");
        sample(out, "zoma_temperature_celsius", label("sensor", "s1"), temperatures_->s1);
        sample(out, "zoma_temperature_celsius", label("sensor", "s2"), temperatures_->s2);
        sample(out, "zoma_temperature_celsius", label("sensor", "s3"), temperatures_->s3);
    }
    if (input_) {
        family(out, "zoma_input", "gauge", "The input terminal the projector shows, 1 to 3.");
        sample(out, "zoma_input", "", *input_);
    }
    if (orientation_) {
        family(out, "zoma_orientation", "gauge",
               "The image orientation: 1 for the one reported last, 0 for the others.");
        for (const OrientationRow& row : kOrientations) {
            sample(out, "zoma_orientation", label("orientation", row.token),
                   row.orientation == *orientation_);
        }
    }
    if (lastPollSeconds_) {
        family(out, "zoma_last_poll_timestamp_seconds", "gauge",
               "When the projector last answered a poll, in seconds since 1970.");
        sample(out, "zoma_last_poll_timestamp_seconds", "", *lastPollSeconds_);
    }

    family(out, "zoma_requests_total", "counter",
           "Requests put on the line, by who asked and how they ended.");
    for (const auto& [key, count] : requests_) {
        sample(out, "zoma_requests_total",
               label("source", key.first) + "," + label("result", key.second),
               static_cast<double>(count));
    }
    family(out, "zoma_line_reconnects_total", "counter",
           "Times the line came back after it was lost or could not be opened.");
    sample(out, "zoma_line_reconnects_total", "", static_cast<double>(reconnects_));
    family(out, "zoma_raw_frames_refused_total", "counter",
           "Frames of raw clients refused because too many of theirs were waiting.");
    sample(out, "zoma_raw_frames_refused_total", "", static_cast<double>(rawFramesRefused_));

    family(out, "zoma_reply_time_seconds", "histogram",
           "From a request's first frame on the line to its answer.");
    for (std::size_t i = 0; i < kReplyBuckets.size(); ++i) {
        sample(out, "zoma_reply_time_seconds_bucket", label("le", number(kReplyBuckets[i])),
               static_cast<double>(bucketCounts_[i]));
    }
    sample(out, "zoma_reply_time_seconds_bucket", label("le", "+Inf"),
           static_cast<double>(replyCount_));
    sample(out, "zoma_reply_time_seconds_sum", "", replySum_);
    sample(out, "zoma_reply_time_seconds_count", "", static_cast<double>(replyCount_));

    family(out, "zoma_gateway_info", "gauge",
           "The gateway's version, the device of its line and the projector's model.");
    sample(
        out, "zoma_gateway_info",
        label("version", version_) + "," + label("device", device_) + "," + label("model", model_),
        1);
    return out;
}

}  // namespace zoma::gateway
