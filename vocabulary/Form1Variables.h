// The window's module-level variables, shared by the link, the commands and the panels.
#pragma once

#include <cstdint>
#include <string>

namespace zoma {

struct Form1Variables {
    // 1 from a transmission until the first receipt or the end of the reply window.
    std::uint8_t AwaitingReply = 0;
    // Line settings text given to the port.
    std::string CommSettings;
    // The last frame handed over for transmission; tells the status decoding which query a
    // reply answers.
    std::string LastCommand;
    // Everything received since the last clear, in arrival order.
    std::string RxBuffer;
    // Number of the held command, 0 while nothing is held.
    std::uint8_t RepeatCode = 0;
    // Pace of the arrow pad, set by the mode buttons and the "D.Zoom" release.
    std::uint8_t PadMode = 0;
};

}  // namespace zoma
