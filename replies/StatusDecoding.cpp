// The five read-out queries and the words their replies decode to.
#include "replies/StatusDecoding.h"

namespace zoma {

namespace {

struct Wording {
    std::string_view field;
    std::string_view words;
};

constexpr Wording kPowerStates[] = {
    {" 0 0", " Power ON"},
    {" 8 0", " Stand by"},
    {" 4 0", " Count down"},
    {" 2 0", " Cooling down"},
    {" 1 0", " Power abnormality"},
    {" 2 8", " Temperature abnormality"},
    {" 0 8", " Temperature abnormality"},
    {" 8 8", " Temperature abnormality"},
    {" 0 2", " Key input prohibition"},
    {" 2 4", " Power Management Cooling"},
    {" 0 4", " Power Management"},
};

constexpr Wording kInputs[] = {
    {" 0", " Input 1"},
    {" 1", " Input 2"},
    {" 2", " Input 3"},
};

constexpr Wording kOrientations[] = {
    {" 1 1", " Normally"},
    {" 1 0", " Top/Bottom reversal"},
    {" 0 1", " Left/Right reversal"},
    {" 0 0", " Top/Bottom , Left/Right reversal"},
};

// The first n characters (the whole text if it is shorter).
std::string_view first(std::string_view text, std::size_t n) {
    return text.substr(0, n);
}

// The n characters from position p, counting from 1 (fewer or none where the text ends).
std::string_view from(std::string_view text, std::size_t p, std::size_t n) {
    return p - 1 < text.size() ? text.substr(p - 1, n) : std::string_view();
}

template <std::size_t N>
std::optional<std::string> lookUp(const Wording (&table)[N], std::string_view field) {
    for (const Wording& row : table) {
        if (row.field == field) return std::string(row.words);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> decodeStatus(std::string_view lastCommand,
                                        std::string_view rxMonitorText) {
    const std::string_view text = rxMonitorText;
    if (lastCommand == "CR0\r") return lookUp(kPowerStates, first(text, 4));
    if (lastCommand == "CR1\r") return lookUp(kInputs, first(text, 2));
    if (lastCommand == "CR4\r") return lookUp(kOrientations, first(text, 4));
    if (lastCommand == "CR3\r") return std::string(first(text, 8)) + " Hour Use";
    if (lastCommand == "CR6\r") {
        std::string line = "  S1=";
        line += first(text, 10);
        line += " C  ,   S2= ";
        line += from(text, 15, 8);
        line += " C , S3=";
        line += from(text, 25, 10);
        line += " C";
        return line;
    }
    return std::nullopt;
}

}  // namespace zoma
