// Parses a line settings text such as "19200,N,8,1".
#pragma once

#include <optional>
#include <string_view>

namespace zoma {

struct LineSettings {
    int baudRate;
    char parity;  // 'N', 'E', 'O', 'M' or 'S'
    int dataBits;
    int stopBits;  // 1 or 2
};

// Four comma-separated items: speed in baud, parity letter, data bits, stop bits. Returns
// nothing for any other text.
std::optional<LineSettings> parseLineSettings(std::string_view text);

}  // namespace zoma
