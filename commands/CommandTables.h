// The commands that have a pace: held buttons, mode buttons and the arrow pad's paces. (A one-shot
// button's code stands in its row of the control table.)
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "link/DesignIntervals.h"

namespace zoma {

// Timer values of 0 mean "not set by the press".
struct HeldButton {
    std::string_view control;
    // What zoma-ctl calls the command: the operator's words, lower case ("vol+"), as the
    // control table names the one-shot buttons.
    std::string_view name;
    std::string_view code;
    std::uint8_t repeatCode;
    int repeatInterval;
    int replyWindowInterval;
    int monitorHoldInterval;
    // The four arrows take their reply window and monitor hold from the pad pace instead.
    bool arrowPad;
    // Releasing "+" or "-" under "D.Zoom" leaves the fastest pad pace behind.
    bool dZoom;
};

// A click sends the code and sets the repeat period and the pad pace.
struct ModeButton {
    std::string_view control;
    // zoma-ctl's name for the command, as for the one-shot buttons.
    std::string_view name;
    std::string_view code;
    int repeatInterval;
    std::uint8_t padMode;
};

// Reply window and monitor hold of an arrow-pad hold, by PadMode.
struct PadPace {
    std::uint8_t padMode;
    int replyWindowInterval;
    int monitorHoldInterval;
};

// After a "D.Zoom" release the arrow pad repeats at this period, with pad mode 3.
constexpr int kDZoomReleaseInterval = 5;
constexpr std::uint8_t kDZoomReleasePadMode = 3;

// The repeat timer's designed period: the arrow pad repeats at it until something sets another.
constexpr int kRepeatDesignInterval = 200;

// Every row of one table, in table order, for code that walks them all.
template <typename Row>
struct TableRows {
    const Row* first;
    std::size_t count;
    const Row* begin() const { return first; }
    const Row* end() const { return first + count; }
};

TableRows<HeldButton> heldButtons();
TableRows<ModeButton> modeButtons();

const HeldButton* findHeldButton(std::string_view control);
const HeldButton* findHeldButton(std::uint8_t repeatCode);
const ModeButton* findModeButton(std::string_view control);
const PadPace* findPadPace(std::uint8_t padMode);

}  // namespace zoma
