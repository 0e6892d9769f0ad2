// The printable trace of a frame or of received data: one token per character.
#pragma once

#include <string>
#include <string_view>

namespace zoma {

// One space, then one token per source character: "ACK ", "CR ", "LF  ", the character and a
// space for codes 32 to 122, "? " for every other code (control characters, 123 and above).
std::string monitorText(std::string_view source);

// Appends the tokens of `source` to a monitor text. The monitor text of a longer text extends
// that of its beginning, so received data can be rendered piece by piece.
void appendMonitorTokens(std::string& monitor, std::string_view source);

}  // namespace zoma
