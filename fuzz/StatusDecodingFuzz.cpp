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

std::string_view first(std::string_view text, std::size_t n) {
    return text.substr(0, n);
}

std::string_view from(std::string_view text, std::size_t p, std::size_t n) {
    return p - 1 < text.size() ? text.substr(p - 1, n) : std::string_view();
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

void checkStructure(std::string_view lastCommand, std::string_view text,
                    const std::optional<std::string>& status) {
    if (lastCommand == "CR3\r") {
        ZOMA_FUZZ_CHECK(status && *status == std::string(first(text, 8)) + " Hour Use");
    } else if (lastCommand == "CR6\r") {
        const std::string expected = "  S1=" + std::string(first(text, 10)) +
                                     " C  ,   S2= " + std::string(from(text, 15, 8)) +
                                     " C , S3=" + std::string(from(text, 25, 10)) + " C";
        ZOMA_FUZZ_CHECK(status && *status == expected && status->size() <= 55);
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
        checkStructure(lastCommand, rest, zoma::decodeStatus(lastCommand, rest));
        return 0;
    }
    const std::string text = zoma::monitorText(rest);
    const std::optional<std::string> status = zoma::decodeStatus(lastCommand, text);
    checkStructure(lastCommand, text, status);

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
