// Line settings text: speed, parity letter, data bits, stop bits.
#include "platform/LineSettings.h"

#include <cctype>
#include <charconv>

namespace zoma {

namespace {

std::optional<int> parseNumber(std::string_view item, int low, int high) {
    int value = 0;
    const char* end = item.data() + item.size();
    auto [ptr, ec] = std::from_chars(item.data(), end, value);
    if (item.empty() || ec != std::errc() || ptr != end || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<LineSettings> parseLineSettings(std::string_view text) {
    std::string_view items[4];
    std::size_t count = 0;
    while (true) {
        const std::size_t comma = text.find(',');
        if (count == 4) return std::nullopt;
        items[count++] = text.substr(0, comma);
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    if (count != 4 || items[1].size() != 1) return std::nullopt;

    const auto baud = parseNumber(items[0], 1, 4000000);
    const char parity = static_cast<char>(std::toupper(static_cast<unsigned char>(items[1][0])));
    const auto dataBits = parseNumber(items[2], 5, 8);
    const auto stopBits = parseNumber(items[3], 1, 2);
    if (!baud || !dataBits || !stopBits) return std::nullopt;
    if (parity != 'N' && parity != 'E' && parity != 'O' && parity != 'M' && parity != 'S') {
        return std::nullopt;
    }
    return LineSettings{*baud, parity, *dataBits, *stopBits};
}

}  // namespace zoma
