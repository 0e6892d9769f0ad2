// The controls the form's logic names, by the role they play; their designer ids are the values.
#pragma once

#include <string_view>

#include "platform/Timer.h"

namespace zoma {

// The data monitor's two lines and the status line.
constexpr std::string_view kTxLine = "Label11";
constexpr std::string_view kRxLine = "Label12";
constexpr std::string_view kStatusLine = "Label25";

// The port panel, the "COM" button beneath it, and the button that switches the lower area.
constexpr std::string_view kPortPanel = "Frame8";
constexpr std::string_view kComButton = "Command33";
constexpr std::string_view kDataToggle = "Command34";
constexpr std::string_view kEndButton = "Command16";

// The options of the port panel: two ports in one group, two speeds in another.
constexpr std::string_view kOptionCom1 = "Option1";
constexpr std::string_view kOptionCom2 = "Option2";
constexpr std::string_view kOption19200 = "Option3";
constexpr std::string_view kOption9600 = "Option4";

// The form's four timers, by what they time.
struct FormTimers {
    Timer& repeat;       // Timer1: repeats a held command
    Timer& replyWindow;  // Timer2: ends the wait for a reply
    Timer& panelHide;    // Timer3: hides the port panel again
    Timer& monitorHold;  // Timer4: clears the monitor and status lines
};

}  // namespace zoma
