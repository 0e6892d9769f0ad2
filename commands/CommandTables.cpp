// The codes each button sends and the paces of held buttons and the arrow pad.
#include "commands/CommandTables.h"

#include <algorithm>
#include <iterator>

namespace zoma {

namespace {

constexpr OneShotButton kOneShotButtons[] = {
    {"Command17", "C00"},  // POWER ON
    {"Command18", "C02"},  // POWER OFF
    {"Command40", "C05"},  // INPUT 1 ANALOG
    {"Command63", "C22"},  // INPUT 1 DIGITAL
    {"Command28", "C06"},  // INPUT 2 RGB
    {"Command29", "C07"},  // INPUT 2 VIDEO
    {"Command27", "C25"},  // INPUT 2 COMPONENT
    {"Command4", "C08"},   // INPUT 3 VIDEO
    {"Command14", "C24"},  // INPUT 3 S-VIDEO
    {"Command66", "C26"},  // INPUT 3 COMPONENT
    {"Command19", "C0B"},  // AUDIO MUTE ON
    {"Command20", "C0C"},  // AUDIO MUTE OFF
    {"Command21", "C0D"},  // No Show ON
    {"Command22", "C0E"},  // No Show OFF
    {"Command25", "C43"},  // FREEZE ON
    {"Command26", "C44"},  // FREEZE OFF
    {"Command24", "C1D"},  // MENU OFF
    {"Command31", "C0F"},  // VIDEO image Normal
    {"Command32", "C10"},  // VIDEO image Wide
    {"Command73", "C27"},  // IMAGE
    {"Command39", "C8A"},  // P-Timer
    {"Command3", "C1E"},   // DISPLAY CLEAR
    {"Command44", "CR0"},  // STATUS: power state
    {"Command45", "CR1"},  // MODE: selected input
    {"Command46", "CR3"},  // L-TIME: lamp hours
    {"Command47", "CR4"},  // SETTING: image orientation
    {"Command38", "CR6"},  // Temp: three temperatures
    {"Command52", "C01"},  // C01
};

constexpr HeldButton kHeldButtons[] = {
    // control     code   no. Timer1 Timer2 Timer4 arrow  dZoom
    {"Command1", "C09", 1, 250, 200, 245, false, false},    // VOL +
    {"Command2", "C0A", 2, 250, 200, 245, false, false},    // VOL -
    {"Command5", "C3C", 3, 0, 0, 0, true, false},           // pad up
    {"Command7", "C3D", 4, 0, 0, 0, true, false},           // pad down
    {"Command9", "C3B", 5, 0, 0, 0, true, false},           // pad left
    {"Command8", "C3A", 6, 0, 0, 0, true, false},           // pad right
    {"Command15", "C47", 7, 50, 25, 25, false, false},      // Zoom +
    {"Command35", "C46", 8, 50, 25, 25, false, false},      // Zoom -
    {"Command36", "C4B", 9, 50, 25, 25, false, false},      // Focus +
    {"Command37", "C4A", 10, 50, 25, 25, false, false},     // Focus -
    {"Command6", "C3F", 13, 500, 200, 245, false, false},   // SELECT
    {"Command30", "C3E", 14, 500, 200, 245, false, false},  // R-click
    {"Command48", "C30", 17, 250, 200, 245, false, true},   // D.Zoom +
    {"Command49", "C31", 18, 250, 200, 245, false, true},   // D.Zoom -
    {"Command50", "C8E", 19, 250, 200, 245, false, false},  // Keystone +
    {"Command51", "C8F", 20, 250, 200, 245, false, false},  // Keystone -
    {"Command59", "C5D", 21, 50, 25, 25, false, false},     // LENS SHIFT up
    {"Command62", "C5E", 22, 50, 25, 25, false, false},     // LENS SHIFT down
};

constexpr ModeButton kModeButtons[] = {
    {"Command10", "C80", 50, 2},   // ZOOM
    {"Command11", "C87", 100, 2},  // FOCUS
    {"Command41", "C88", 50, 2},   // Lens shift
    {"Command13", "C89", 200, 1},  // A-IMAGE
    {"Command23", "C1C", 200, 1},  // MENU ON
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

}  // namespace

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
