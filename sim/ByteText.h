// Printable rendering of line bytes for the simulator's log.
#pragma once

#include <string>
#include <string_view>

namespace zoma::sim {

// Visible ASCII stays as it is; control characters show by name in angle brackets ("<CR>",
// "<ACK>", "<NUL>"), DEL and bytes above 127 as "<xHH>". "<" itself shows as "<<" so that a
// logged line can always be read back unambiguously.
std::string byteText(std::string_view bytes);

}  // namespace zoma::sim
