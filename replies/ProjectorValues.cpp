// Each read-out reply read by its fixed layout, and the values written back as text and JSON.
#include "replies/ProjectorValues.h"

#include <charconv>
#include <cmath>
#include <system_error>
#include <type_traits>

namespace zoma {

namespace {

constexpr char kCr = 13;

struct PowerReply {
    std::string_view reply;
    PowerState state;
};

constexpr PowerReply kPowerReplies[] = {
    {"00", PowerState::On},
    {"80", PowerState::Standby},
    {"40", PowerState::CountDown},
    {"20", PowerState::Cooling},
    {"10", PowerState::PowerAbnormality},
    {"28", PowerState::TemperatureAbnormality},
    {"08", PowerState::TemperatureAbnormality},
    {"88", PowerState::TemperatureAbnormality},
    {"02", PowerState::KeyInputProhibition},
    {"24", PowerState::PowerManagementCooling},
    {"04", PowerState::PowerManagement},
};

struct OrientationReply {
    std::string_view reply;
    Orientation orientation;
};

constexpr OrientationReply kOrientationReplies[] = {
    {"11", Orientation::Normal},
    {"10", Orientation::TopBottom},
    {"01", Orientation::LeftRight},
    {"00", Orientation::TopBottomLeftRight},
};

// Not std::isdigit: that one follows the C locale.
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isSign(char c) {
    return c == '+' || c == '-';
}

bool allDigits(std::string_view text) {
    for (char c : text) {
        if (!isDigit(c)) return false;
    }
    return true;
}

// `[+-]?[0-9]+(\.[0-9]+)?` and nothing else in the field. from_chars alone would also take
// "inf", "1e5" or a number followed by anything, and rejects the plus sign the projector sends.
std::optional<double> readNumber(std::string_view field) {
    const bool negative = !field.empty() && field[0] == '-';
    if (!field.empty() && isSign(field[0])) field.remove_prefix(1);
    const std::size_t point = field.find('.');
    const std::string_view whole = field.substr(0, point);
    if (whole.empty() || !allDigits(whole)) return std::nullopt;
    if (point != std::string_view::npos) {
        const std::string_view fraction = field.substr(point + 1);
        if (fraction.empty() || !allDigits(fraction)) return std::nullopt;
    }
    double value = 0;
    const char* end = field.data() + field.size();
    const std::from_chars_result read =
        std::from_chars(field.data(), end, value, std::chars_format::fixed);
    if (read.ec != std::errc() || read.ptr != end) return std::nullopt;
    return negative ? -value : value;
}

std::optional<ProjectorValue> decodePower(std::string_view reply) {
    for (const PowerReply& row : kPowerReplies) {
        if (row.reply == reply) return row.state;
    }
    return std::nullopt;
}

// "0" to "2" for inputs 1 to 3.
std::optional<ProjectorValue> decodeInput(std::string_view reply) {
    if (reply[0] < '0' || reply[0] > '2') return std::nullopt;
    return InputTerminal{reply[0] - '0' + 1};
}

std::optional<ProjectorValue> decodeLampHours(std::string_view reply) {
    if (!allDigits(reply)) return std::nullopt;
    int hours = 0;
    for (char c : reply) hours = hours * 10 + (c - '0');
    return LampHours{hours};
}

std::optional<ProjectorValue> decodeOrientation(std::string_view reply) {
    for (const OrientationReply& row : kOrientationReplies) {
        if (row.reply == reply) return row.orientation;
    }
    return std::nullopt;
}

// "+38.5 +45.0 +41.0": S1 in characters 1-5, S2 in 8-11, S3 in 13-17. S2 has one character
// less, so the projector puts its sign in character 7, where a separator would otherwise stand.
std::optional<ProjectorValue> decodeTemperatures(std::string_view reply) {
    // With the sign in front, a field that carries its own sign has two and is refused.
    std::string s2Field(reply.substr(7, 4));
    if (isSign(reply[6])) s2Field.insert(s2Field.begin(), reply[6]);
    const std::optional<double> s1 = readNumber(reply.substr(0, 5));
    const std::optional<double> s2 = readNumber(s2Field);
    const std::optional<double> s3 = readNumber(reply.substr(12, 5));
    if (!s1 || !s2 || !s3) return std::nullopt;
    return Temperatures{*s1, *s2, *s3};
}

// Each query's reply has one length; its decoder sees only replies of that length.
struct ReadOut {
    std::string_view code;
    std::size_t length;
    std::optional<ProjectorValue> (*decode)(std::string_view reply);
};

constexpr ReadOut kReadOuts[] = {
    {"CR0", 2, decodePower},       {"CR1", 1, decodeInput},         {"CR3", 4, decodeLampHours},
    {"CR4", 2, decodeOrientation}, {"CR6", 17, decodeTemperatures},
};

// The shortest digits that read back as the same number, never in exponent form, with at least
// one decimal. A sensor at "-00.0" reads as negative zero, which is shown as 0.0.
std::string numberText(double value) {
    if (value == 0) value = 0;
    // Fixed notation of the largest double has 309 digits, of the smallest 326 characters.
    char text[400];
    const std::to_chars_result written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    std::string out(text, written.ptr);
    if (std::isfinite(value) && out.find('.') == std::string::npos) out += ".0";
    return out;
}

// JSON has no infinity or NaN; no reply decodes to one, but a value made by hand may hold one.
std::string numberJson(double value) {
    return std::isfinite(value) ? numberText(value) : "null";
}

}  // namespace

std::optional<ProjectorValue> decodeValue(std::string_view code, std::string_view reply) {
    // A CR ends a reply: one inside means two replies run together, not one value.
    if (reply.find(kCr) != std::string_view::npos) return std::nullopt;
    for (const ReadOut& readOut : kReadOuts) {
        if (readOut.code != code) continue;
        if (reply.size() != readOut.length) return std::nullopt;
        return readOut.decode(reply);
    }
    return std::nullopt;
}

std::string_view powerStateToken(PowerState state) {
    for (const PowerStateRow& row : kPowerStates) {
        if (row.state == state) return row.token;
    }
    return {};  // every state has a row; only a value cast from outside the enum gets here
}

std::string_view orientationToken(Orientation orientation) {
    for (const OrientationRow& row : kOrientations) {
        if (row.orientation == orientation) return row.token;
    }
    return {};
}

std::string valueText(const ProjectorValue& value) {
    return std::visit(
        [](const auto& v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, PowerState>) {
                return std::string(powerStateToken(v));
            } else if constexpr (std::is_same_v<T, Orientation>) {
                return std::string(orientationToken(v));
            } else if constexpr (std::is_same_v<T, InputTerminal>) {
                return std::to_string(v.number);
            } else if constexpr (std::is_same_v<T, LampHours>) {
                return std::to_string(v.hours);
            } else {
                return numberText(v.s1) + ' ' + numberText(v.s2) + ' ' + numberText(v.s3);
            }
        },
        value);
}

std::string valueJson(const ProjectorValue& value) {
    if (const auto* t = std::get_if<Temperatures>(&value)) {
        return "{\"s1\":" + numberJson(t->s1) + ",\"s2\":" + numberJson(t->s2) +
               ",\"s3\":" + numberJson(t->s3) + "}";
    }
    // Tokens are lower-case letters and hyphens, so they need quotes and no escapes.
    if (std::holds_alternative<PowerState>(value) || std::holds_alternative<Orientation>(value)) {
        return '"' + valueText(value) + '"';
    }
    return valueText(value);
}

}  // namespace zoma
