// Line settings text: whatever parses is four items in range and reads back the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "platform/LineSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto parsed = zoma::parseLineSettings(text);
    if (!parsed) return 0;

    std::size_t commas = 0;
    for (char c : text) commas += c == ',';
    ZOMA_FUZZ_CHECK(commas == 3);
    ZOMA_FUZZ_CHECK(parsed->baudRate >= 1 && parsed->baudRate <= 4000000);
    ZOMA_FUZZ_CHECK(std::string_view("NEOMS").find(parsed->parity) != std::string_view::npos);
    ZOMA_FUZZ_CHECK(parsed->dataBits >= 5 && parsed->dataBits <= 8);
    ZOMA_FUZZ_CHECK(parsed->stopBits == 1 || parsed->stopBits == 2);

    // The canonical text of what was parsed parses to the same settings.
    const std::string canonical = std::to_string(parsed->baudRate) + ',' + parsed->parity + ',' +
                                  std::to_string(parsed->dataBits) + ',' +
                                  std::to_string(parsed->stopBits);
    const auto again = zoma::parseLineSettings(canonical);
    ZOMA_FUZZ_CHECK(again && again->baudRate == parsed->baudRate &&
                    again->parity == parsed->parity && again->dataBits == parsed->dataBits &&
                    again->stopBits == parsed->stopBits);
    return 0;
}
