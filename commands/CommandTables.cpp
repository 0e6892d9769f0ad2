// The codes and paces of the held buttons and the mode buttons, and the arrow pad's paces.
#include "commands/CommandTables.h"

#include <algorithm>
#include <iterator>

namespace zoma {

namespace {

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

TableRows<HeldButton> heldButtons() {
    return rowsOf(kHeldButtons);
}

TableRows<ModeButton> modeButtons() {
    return rowsOf(kModeButtons);
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
