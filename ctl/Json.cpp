// Writes results as JSON without a library: five fields, strings and one boolean.
#include "ctl/Json.h"

#include "replies/ProjectorValues.h"

namespace zoma::ctl {

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

struct ShortEscape {
    unsigned char byte;
    const char* text;
};

constexpr ShortEscape kShortEscapes[] = {
    {'"', "\\\""}, {'\\', "\\\\"}, {'\b', "\\b"}, {'\f', "\\f"},
    {'\n', "\\n"}, {'\r', "\\r"},  {'\t', "\\t"},
};

void appendEscaped(std::string& out, unsigned char byte) {
    for (const ShortEscape& escape : kShortEscapes) {
        if (escape.byte == byte) {
            out += escape.text;
            return;
        }
    }
    if (byte < 0x20 || byte >= 0x7f) {
        out += "\\u00";
        out += kHexDigits[byte >> 4];
        out += kHexDigits[byte & 0xf];
        return;
    }
    out += static_cast<char>(byte);
}

}  // namespace

std::string jsonString(std::string_view bytes) {
    std::string out = "\"";
    for (char c : bytes) appendEscaped(out, static_cast<unsigned char>(c));
    out += '"';
    return out;
}

std::string resultJson(const Result& result) {
    return "{\"command\":" + jsonString(result.command) + ",\"code\":" + jsonString(result.code) +
           ",\"reply\":" + jsonString(result.reply) + ",\"status\":" + jsonString(result.words) +
           ",\"value\":" + (result.value ? valueJson(*result.value) : std::string("null")) +
           ",\"ok\":" + (result.ok ? "true" : "false") + "}";
}

}  // namespace zoma::ctl
