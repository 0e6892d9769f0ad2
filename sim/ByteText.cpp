// Names of the control characters for the log.
#include "sim/ByteText.h"

#include <cstdio>

namespace zoma::sim {

namespace {

constexpr const char* kControlNames[32] = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT",  "LF",
    "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
    "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US",
};

}  // namespace

std::string byteText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32) {
            text += '<';
            text += kControlNames[byte];
            text += '>';
        } else if (byte == '<') {
            text += "<<";
        } else if (byte < 127) {
            text += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "<x%02X>", byte);
            text += hex;
        }
    }
    return text;
}

}  // namespace zoma::sim
