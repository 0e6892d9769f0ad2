// The codes each button sends and the paces of held buttons and the arrow pad.
#include "commands/CommandTables.h"

#include <algorithm>
#include <iterator>

namespace zoma {

namespace {

constexpr OneShotButton kOneShotButtons[] = {
    {"Command17", "power-on", "C00"},          // POWER ON
    {"Command18", "power-off", "C02"},         // POWER OFF
    {"Command40", "input1-analog", "C05"},     // INPUT 1 ANALOG
    {"Command63", "input1-digital", "C22"},    // INPUT 1 DIGITAL
    {"Command28", "input2-rgb", "C06"},        // INPUT 2 RGB
    {"Command29", "input2-video", "C07"},      // INPUT 2 VIDEO
    {"Command27", "input2-component", "C25"},  // INPUT 2 COMPONENT
    {"Command4", "input3-video", "C08"},       // INPUT 3 VIDEO
    {"Command14", "input3-s-video", "C24"},    // INPUT 3 S-VIDEO
    {"Command66", "input3-component", "C26"},  // INPUT 3 COMPONENT
    {"Command19", "audio-mute-on", "C0B"},     // AUDIO MUTE ON
    {"Command20", "audio-mute-off", "C0C"},    // AUDIO MUTE OFF
    {"Command21", "no-show-on", "C0D"},        // No Show ON
    {"Command22", "no-show-off", "C0E"},       // No Show OFF
    {"Command25", "freeze-on", "C43"},         // FREEZE ON
    {"Command26", "freeze-off", "C44"},        // FREEZE OFF
    {"Command24", "menu-off", "C1D"},          // MENU OFF
    {"Command31", "video-normal", "C0F"},      // VIDEO image Normal
    {"Command32", "video-wide", "C10"},        // VIDEO image Wide
    {"Command73", "image", "C27"},             // IMAGE
    {"Command39", "p-timer", "C8A"},           // P-Timer
    {"Command3", "display-clear", "C1E"},      // DISPLAY CLEAR
    {"Command44", "status", "CR0"},            // STATUS: power state
    {"Command45", "mode", "CR1"},              // MODE: selected input
    {"Command46", "lamp-time", "CR3"},         // L-TIME: lamp hours
    {"Command47", "setting", "CR4"},           // SETTING: image orientation
    {"Command38", "temp", "CR6"},              // Temp: three temperatures
    {"Command52", "c01", "C01"},               // C01
};

constexpr HeldButton kHeldButtons[] = {
    // control, name, code, RepeatCode, Timer1, Timer2, Timer4, arrow pad, D.Zoom
    {"Command1", "vol+", "C09", 1, 250, 200, 245, false, false},            // VOL +
    {"Command2", "vol-", "C0A", 2, 250, 200, 245, false, false},            // VOL -
    {"Command5", "up", "C3C", 3, 0, 0, 0, true, false},                     // pad up
    {"Command7", "down", "C3D", 4, 0, 0, 0, true, false},                   // pad down
    {"Command9", "left", "C3B", 5, 0, 0, 0, true, false},                   // pad left
    {"Command8", "right", "C3A", 6, 0, 0, 0, true, false},                  // pad right
    {"Command15", "zoom+", "C47", 7, 50, 25, 25, false, false},             // Zoom +
    {"Command35", "zoom-", "C46", 8, 50, 25, 25, false, false},             // Zoom -
    {"Command36", "focus+", "C4B", 9, 50, 25, 25, false, false},            // Focus +
    {"Command37", "focus-", "C4A", 10, 50, 25, 25, false, false},           // Focus -
    {"Command6", "select", "C3F", 13, 500, 200, 245, false, false},         // SELECT
    {"Command30", "r-click", "C3E", 14, 500, 200, 245, false, false},       // R-click
    {"Command48", "d.zoom+", "C30", 17, 250, 200, 245, false, true},        // D.Zoom +
    {"Command49", "d.zoom-", "C31", 18, 250, 200, 245, false, true},        // D.Zoom -
    {"Command50", "keystone+", "C8E", 19, 250, 200, 245, false, false},     // Keystone +
    {"Command51", "keystone-", "C8F", 20, 250, 200, 245, false, false},     // Keystone -
    {"Command59", "lens-shift-up", "C5D", 21, 50, 25, 25, false, false},    // LENS SHIFT up
    {"Command62", "lens-shift-down", "C5E", 22, 50, 25, 25, false, false},  // LENS SHIFT down
};

constexpr ModeButton kModeButtons[] = {
    {"Command10", "zoom", "C80", 50, 2},        // ZOOM
    {"Command11", "focus", "C87", 100, 2},      // FOCUS
    {"Command41", "lens-shift", "C88", 50, 2},  // Lens shift
    {"Command13", "a-image", "C89", 200, 1},    // A-IMAGE
    {"Command23", "menu-on", "C1C", 200, 1},    // MENU ON
};

// Pad mode 0 (and any value not listed) leaves the reply window and monitor hold alone.
constexpr PadPace kPadPaces[] = {
    {1, 150, 190},
    {2, 50, 75},
    {kDZoomReleasePadMode, 5, 5},
};

template <typename Row, std::size_t N, typename Pred>
const Row* findRow(const Row (&table)[N], Pred pred) {
    const Row* row = std::find_if(std::begin(table), std::end(table), pred);
    return row == std::end(table) ? nullptr : row;
}

template <typename Row, std::size_t N>
TableRows<Row> rowsOf(const Row (&table)[N]) {
    return {table, N};
}

}  // namespace

TableRows<OneShotButton> oneShotButtons() {
    return rowsOf(kOneShotButtons);
}

TableRows<HeldButton> heldButtons() {
    return rowsOf(kHeldButtons);
}

TableRows<ModeButton> modeButtons() {
    return rowsOf(kModeButtons);
}

const OneShotButton* findOneShotButton(std::string_view control) {
    return findRow(kOneShotButtons, [&](const auto& row) { return row.control == control; });
}

const HeldButton* findHeldButton(std::string_view control) {
    return findRow(kHeldButtons, [&](const auto& row) { return row.control == control; });
}

const HeldButton* findHeldButton(std::uint8_t repeatCode) {
    return findRow(kHeldButtons, [&](const auto& row) { return row.repeatCode == repeatCode; });
}

const ModeButton* findModeButton(std::string_view control) {
    return findRow(kModeButtons, [&](const auto& row) { return row.control == control; });
}

const PadPace* findPadPace(std::uint8_t padMode) {
    return findRow(kPadPaces, [&](const auto& row) { return row.padMode == padMode; });
}

}  // namespace zoma
