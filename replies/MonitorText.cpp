// Renders characters as monitor tokens.
#include "replies/MonitorText.h"

namespace zoma {

namespace {

constexpr unsigned char kAck = 6;
constexpr unsigned char kLf = 10;
constexpr unsigned char kCr = 13;

void appendToken(std::string& out, unsigned char c) {
    if (c == kAck) {
        out += "ACK ";
    } else if (c == kCr) {
        out += "CR ";
    } else if (c == kLf) {
        out += "LF  ";
    } else if (c >= ' ' && c <= 'z') {
        out += static_cast<char>(c);
        out += ' ';
    } else {
        out += "? ";
    }
}

}  // namespace

void appendMonitorTokens(std::string& monitor, std::string_view source) {
    for (char c : source) appendToken(monitor, static_cast<unsigned char>(c));
}

std::string monitorText(std::string_view source) {
    std::string out(" ");
    out.reserve(1 + 2 * source.size());
    appendMonitorTokens(out, source);
    return out;
}

}  // namespace zoma
