// Turns the reply to a read-out query into words for the status line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zoma {

// Reads the reply by position in its monitor text, so ACK, CR and LF before a field shift it.
// Returns the status line's new text, or nothing when `lastCommand` is not a read-out query or
// the reply matches no known value (the status line is then left as it is).
std::optional<std::string> decodeStatus(std::string_view lastCommand,
                                        std::string_view rxMonitorText);

}  // namespace zoma
