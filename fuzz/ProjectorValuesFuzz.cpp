// Typed values of any reply to each read-out query, against the reply characters themselves.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <variant>

#include "FuzzCheck.h"
#include "replies/MonitorText.h"
#include "replies/ProjectorValues.h"
#include "replies/StatusDecoding.h"

namespace {

// The five queries with their reply lengths, then codes that have no value.
struct Query {
    std::string_view code;
    std::size_t length;
};

constexpr Query kQueries[] = {{"CR0", 2}, {"CR1", 1},   {"CR3", 4}, {"CR4", 2}, {"CR6", 17},
                              {"CR2", 0}, {"CR0\r", 2}, {"cr0", 2}, {"C00", 0}, {"", 0}};

bool digit(char c) {
    return c >= '0' && c <= '9';
}

bool digits(std::string_view text) {
    for (char c : text) {
        if (!digit(c)) return false;
    }
    return true;
}

// Characters the monitor text shows as two-wide tokens, so the status line's fields stay put.
bool twoWide(char c) {
    return c != 6 && c != 10 && c != 13;
}

// A temperature field read with the standard library instead: the pattern, then strtod (the fuzz
// run keeps the C locale, so the point is the decimal point).
std::optional<double> fieldValue(const std::string& field, bool signAllowed) {
    static const std::regex kSigned("[+-]?[0-9]+(\\.[0-9]+)?");
    static const std::regex kUnsigned("[0-9]+(\\.[0-9]+)?");
    if (!std::regex_match(field, signAllowed ? kSigned : kUnsigned)) return std::nullopt;
    return std::strtod(field.c_str(), nullptr);
}

// The three readings as the projector lays them out, or nothing if a field is no number.
std::optional<zoma::Temperatures> temperatures(std::string_view reply) {
    const auto s1 = fieldValue(std::string(reply.substr(0, 5)), true);
    const char s2Sign = reply[6];
    const bool signBefore = s2Sign == '+' || s2Sign == '-';
    auto s2 = fieldValue(std::string(reply.substr(7, 4)), !signBefore);
    if (s2 && s2Sign == '-') *s2 = -*s2;
    const auto s3 = fieldValue(std::string(reply.substr(12, 5)), true);
    if (!s1 || !s2 || !s3) return std::nullopt;
    return zoma::Temperatures{*s1, *s2, *s3};
}

// A number of the text form: digits with a point, no exponent, no negative zero, and it reads
// back as the value.
void checkNumber(std::string_view text, double value) {
    const std::string copy(text);
    ZOMA_FUZZ_CHECK(copy.find('.') != std::string::npos);
    ZOMA_FUZZ_CHECK(copy.find_first_of("eE") == std::string::npos);
    ZOMA_FUZZ_CHECK(std::strtod(copy.c_str(), nullptr) == value);
    ZOMA_FUZZ_CHECK(value != 0 || copy == "0.0");
}

// Text and JSON agree: a token is quoted, a count is bare, temperatures are an object of the
// three numbers of the text.
void checkWritten(const zoma::ProjectorValue& value) {
    const std::string text = zoma::valueText(value);
    const std::string json = zoma::valueJson(value);
    ZOMA_FUZZ_CHECK(!text.empty());
    if (const auto* t = std::get_if<zoma::Temperatures>(&value)) {
        const std::size_t first = text.find(' ');
        const std::size_t second = text.find(' ', first + 1);
        ZOMA_FUZZ_CHECK(second != std::string::npos &&
                        text.find(' ', second + 1) == std::string::npos);
        const std::string_view all(text);
        const std::string_view s1 = all.substr(0, first);
        const std::string_view s2 = all.substr(first + 1, second - first - 1);
        const std::string_view s3 = all.substr(second + 1);
        checkNumber(s1, t->s1);
        checkNumber(s2, t->s2);
        checkNumber(s3, t->s3);
        ZOMA_FUZZ_CHECK(json == "{\"s1\":" + std::string(s1) + ",\"s2\":" + std::string(s2) +
                                    ",\"s3\":" + std::string(s3) + "}");
    } else if (std::holds_alternative<zoma::PowerState>(value) ||
               std::holds_alternative<zoma::Orientation>(value)) {
        ZOMA_FUZZ_CHECK(json == '"' + text + '"');
        for (char c : text) ZOMA_FUZZ_CHECK((c >= 'a' && c <= 'z') || c == '-');
    } else {
        ZOMA_FUZZ_CHECK(json == text && digits(text));
    }
}

}  // namespace

// Byte 0 picks the query, the rest is the reply without its CR.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const Query query = kQueries[data[0] % (sizeof kQueries / sizeof kQueries[0])];
    const std::string_view code = query.code;
    const std::string_view reply(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::optional<zoma::ProjectorValue> value = zoma::decodeValue(code, reply);

    const bool readOut =
        code == "CR0" || code == "CR1" || code == "CR3" || code == "CR4" || code == "CR6";
    if (!readOut) {
        ZOMA_FUZZ_CHECK(!value);
        return 0;
    }
    const bool laidOut = reply.size() == query.length && reply.find('\r') == std::string_view::npos;
    ZOMA_FUZZ_CHECK(!value || laidOut);
    if (value) checkWritten(*value);
    if (!laidOut) return 0;

    if (code == "CR0") {
        // The status line knows the same pairs.
        ZOMA_FUZZ_CHECK(!value ||
                        (std::holds_alternative<zoma::PowerState>(*value) && digits(reply)));
        if (twoWide(reply[0]) && twoWide(reply[1])) {
            std::string frame(reply);
            frame += '\r';
            const auto words = zoma::decodeStatus("CR0\r", zoma::monitorText(frame));
            ZOMA_FUZZ_CHECK(value.has_value() == words.has_value());
        }
    } else if (code == "CR1") {
        const bool known = reply[0] >= '0' && reply[0] <= '2';
        ZOMA_FUZZ_CHECK(value.has_value() == known);
        if (value) {
            ZOMA_FUZZ_CHECK(std::get<zoma::InputTerminal>(*value).number == reply[0] - '0' + 1);
            ZOMA_FUZZ_CHECK(zoma::valueText(*value) == std::string(1, reply[0] + 1));
        }
    } else if (code == "CR3") {
        ZOMA_FUZZ_CHECK(value.has_value() == digits(reply));
        if (value) {
            ZOMA_FUZZ_CHECK(std::get<zoma::LampHours>(*value).hours ==
                            std::atoi(std::string(reply).c_str()));
            // The digits without their leading zeros, one zero left of "0000".
            const std::size_t lead = std::string_view(reply).find_first_not_of('0');
            const std::string_view bare = lead == std::string_view::npos ? "0" : reply.substr(lead);
            ZOMA_FUZZ_CHECK(zoma::valueText(*value) == bare);
        }
    } else if (code == "CR4") {
        // A 0 in the first place reverses left and right, in the second top and bottom.
        const auto bit = [](char c) { return c == '0' || c == '1'; };
        ZOMA_FUZZ_CHECK(value.has_value() == (bit(reply[0]) && bit(reply[1])));
        if (value) {
            const std::string text = zoma::valueText(*value);
            ZOMA_FUZZ_CHECK((text.find("left-right") != std::string::npos) == (reply[0] == '0'));
            ZOMA_FUZZ_CHECK((text.find("top-bottom") != std::string::npos) == (reply[1] == '0'));
        }
    } else {
        const std::optional<zoma::Temperatures> expected = temperatures(reply);
        ZOMA_FUZZ_CHECK(value.has_value() == expected.has_value());
        if (value) ZOMA_FUZZ_CHECK(std::get<zoma::Temperatures>(*value) == *expected);
    }
    return 0;
}
