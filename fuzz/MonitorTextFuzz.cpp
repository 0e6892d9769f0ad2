// Monitor text of any bytes: token widths, the two-per-character grid, and rendering in pieces.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "replies/MonitorText.h"

namespace {

std::size_t tokenWidth(unsigned char c) {
    switch (c) {
        case 6:   // ACK
        case 10:  // LF
            return 4;
        case 13:  // CR
            return 3;
        default:
            return 2;
    }
}

}  // namespace

// The first two bytes choose where the rest is cut into three pieces for piecewise rendering.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::string_view source(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::string whole = zoma::monitorText(source);

    ZOMA_FUZZ_CHECK(!whole.empty() && whole[0] == ' ');
    std::size_t expected = 1;
    bool allTwoWide = true;
    for (char c : source) {
        expected += tokenWidth(static_cast<unsigned char>(c));
        allTwoWide = allTwoWide && tokenWidth(static_cast<unsigned char>(c)) == 2;
    }
    ZOMA_FUZZ_CHECK(whole.size() == expected);

    if (allTwoWide) {
        // Character k (from 1) at position 2k (from 1), itself or '?', with spaces between.
        ZOMA_FUZZ_CHECK(whole.size() == 2 * source.size() + 1);
        for (std::size_t k = 0; k < source.size(); ++k) {
            const auto c = static_cast<unsigned char>(source[k]);
            const char shown = c >= 32 && c <= 122 ? static_cast<char>(c) : '?';
            ZOMA_FUZZ_CHECK(whole[2 * k + 1] == shown);
            ZOMA_FUZZ_CHECK(whole[2 * k + 2] == ' ');
        }
    }

    // The monitor text of a longer text extends that of its beginning.
    const std::size_t cut1 = data[0] % (source.size() + 1);
    const std::size_t cut2 = cut1 + data[1] % (source.size() - cut1 + 1);
    std::string pieces = zoma::monitorText(source.substr(0, cut1));
    zoma::appendMonitorTokens(pieces, source.substr(cut1, cut2 - cut1));
    zoma::appendMonitorTokens(pieces, source.substr(cut2));
    ZOMA_FUZZ_CHECK(pieces == whole);
    return 0;
}
