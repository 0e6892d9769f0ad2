// Status decoding of any reply to each read-out query, against the reply characters themselves.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "replies/MonitorText.h"
#include "replies/StatusDecoding.h"

namespace {

// Frames the decoding may find as the last command: the five queries, an operation, nothing,
// and near misses of a query.
constexpr std::string_view kLastCommands[] = {"CR0\r", "CR1\r", "CR3\r", "CR4\r", "CR6\r",
                                              "C80\r", "",      "CR0",   "cr0\r", "CR0\r\r"};

bool twoWide(char c) {
    return c != 6 && c != 10 && c != 13;
}

char shown(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 32 && code <= 122 ? c : '?';
}

// Reply characters `from` to `to` (counting from 1) as the status line shows them: each after
// a space. Only for characters that all take two-wide tokens.
std::string spaced(std::string_view reply, std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t k = from; k <= to && k <= reply.size(); ++k) {
        out += ' ';
        out += shown(reply[k - 1]);
    }
    return out;
}

bool allTwoWide(std::string_view reply, std::size_t count) {
    if (reply.size() < count) return false;
    for (std::size_t k = 0; k < count; ++k) {
        if (!twoWide(reply[k])) return false;
    }
    return true;
}

// The words for a reply that begins with two two-wide characters, read from the characters.
std::optional<std::string_view> powerState(char a, char b) {
    const std::string pair{shown(a), shown(b)};
    if (pair == "00") return " Power ON";
    if (pair == "80") return " Stand by";
    if (pair == "40") return " Count down";
    if (pair == "20") return " Cooling down";
    if (pair == "10") return " Power abnormality";
    if (pair == "28" || pair == "08" || pair == "88") return " Temperature abnormality";
    if (pair == "02") return " Key input prohibition";
    if (pair == "24") return " Power Management Cooling";
    if (pair == "04") return " Power Management";
    return std::nullopt;
}

std::optional<std::string_view> orientation(char a, char b) {
    const std::string pair{shown(a), shown(b)};
    if (pair == "11") return " Normally";
    if (pair == "10") return " Top/Bottom reversal";
    if (pair == "01") return " Left/Right reversal";
    if (pair == "00") return " Top/Bottom , Left/Right reversal";
    return std::nullopt;
}

std::optional<std::string_view> input(char a) {
    if (shown(a) == '0') return " Input 1";
    if (shown(a) == '1') return " Input 2";
    if (shown(a) == '2') return " Input 3";
    return std::nullopt;
}

bool endsWith(const std::string& text, std::string_view end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Whatever the text, lamp hours and temperatures always give a line of a known shape, and
// anything but a query gives none.
void checkShape(std::string_view lastCommand, const std::optional<std::string>& status) {
    if (lastCommand == "CR3\r") {
        ZOMA_FUZZ_CHECK(status && endsWith(*status, " Hour Use") && status->size() <= 17);
    } else if (lastCommand == "CR6\r") {
        ZOMA_FUZZ_CHECK(status && status->rfind("  S1=", 0) == 0 && endsWith(*status, " C") &&
                        status->find(" C  ,   S2= ") != std::string::npos &&
                        status->find(" C , S3=") != std::string::npos && status->size() <= 55);
    } else if (lastCommand != "CR0\r" && lastCommand != "CR1\r" && lastCommand != "CR4\r") {
        ZOMA_FUZZ_CHECK(!status);
    }
}

}  // namespace

// Byte 0: the last command (low bits) and whether the rest is a reply or, with bit 7, an
// arbitrary text standing where the monitor text would be.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::string_view lastCommand =
        kLastCommands[(data[0] & 0x7f) % (sizeof kLastCommands / sizeof kLastCommands[0])];
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);

    if (data[0] & 0x80) {
        checkShape(lastCommand, zoma::decodeStatus(lastCommand, rest));
        return 0;
    }
    const std::string text = zoma::monitorText(rest);
    const std::optional<std::string> status = zoma::decodeStatus(lastCommand, text);
    checkShape(lastCommand, status);

    // Lamp hours show reply characters 1 to 4, temperatures 1 to 5, 8 to 11 and 13 to 17, each
    // after a space, as long as no ACK, CR or LF before them shifts the fields.
    if (lastCommand == "CR3\r" && allTwoWide(rest, 4)) {
        ZOMA_FUZZ_CHECK(*status == spaced(rest, 1, 4) + " Hour Use");
    }
    if (lastCommand == "CR6\r" && allTwoWide(rest, 17)) {
        ZOMA_FUZZ_CHECK(*status == "  S1=" + spaced(rest, 1, 5) +
                                       " C  ,   S2= " + spaced(rest, 8, 11) +
                                       " C , S3=" + spaced(rest, 13, 17) + " C");
    }

    // Read from the reply characters: a leading ACK, CR or LF shifts the field off its digits.
    const bool firstTwoWide = rest.size() >= 1 && twoWide(rest[0]);
    const bool pairTwoWide = rest.size() >= 2 && twoWide(rest[0]) && twoWide(rest[1]);
    std::optional<std::string_view> expected;
    if (lastCommand == "CR0\r" && pairTwoWide) expected = powerState(rest[0], rest[1]);
    if (lastCommand == "CR4\r" && pairTwoWide) expected = orientation(rest[0], rest[1]);
    if (lastCommand == "CR1\r" && firstTwoWide) expected = input(rest[0]);
    if (lastCommand == "CR0\r" || lastCommand == "CR1\r" || lastCommand == "CR4\r") {
        ZOMA_FUZZ_CHECK(status.has_value() == expected.has_value());
        ZOMA_FUZZ_CHECK(!status || *status == *expected);
    }
    return 0;
}
