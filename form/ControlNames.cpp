// Names and descriptions derived from the control table and the command tables.
#include "form/ControlNames.h"

#include <sstream>

#include "commands/CommandTables.h"
#include "form/Roles.h"

namespace zoma {

namespace {

// A "+" or "-" stands at most this far below the bottom of its heading label (twips).
constexpr int kHeadingReach = 500;

// Frames without a heading of their own, and what their options choose.
struct UnlabelledGroup {
    std::string_view frame;
    std::string_view caption;
};
constexpr UnlabelledGroup kUnlabelledGroups[] = {{kPortPanel, "Port"}, {"Frame13", "Speed"}};

constexpr std::string_view kArrowPad = "Arrow pad";

struct SpelledCaption {
    std::string_view caption;
    std::string_view words;
};
constexpr SpelledCaption kArrows[] = {{"↑", "up"}, {"↓", "down"}, {"←", "left"}, {"→", "right"}};

// Words separated by single blanks, without leading or trailing blanks.
std::string collapseBlanks(std::string_view text) {
    std::istringstream words{std::string(text)};
    std::string word, out;
    while (words >> word) out += (out.empty() ? "" : " ") + word;
    return out;
}

std::string_view spelled(std::string_view caption) {
    for (const SpelledCaption& arrow : kArrows) {
        if (arrow.caption == caption) return arrow.words;
    }
    return caption;
}

const ControlRow* headingInFrame(const ControlTable& table, std::string_view frame) {
    for (const ControlRow& row : table) {
        if (row.kind == Kind::Label && row.container == frame) return &row;
    }
    return nullptr;
}

// The label on the same container whose column holds the control's centre, just above it.
const ControlRow* headingAbove(const ControlTable& table, const ControlRow& control) {
    const int centre = control.left + control.width / 2;
    for (const ControlRow& row : table) {
        if (row.kind != Kind::Label || row.container != control.container) continue;
        const int bottom = row.top + row.height;
        if (centre >= row.left && centre < row.left + row.width && bottom <= control.top &&
            control.top - bottom <= kHeadingReach) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace

std::string groupCaption(const ControlTable& table, const ControlRow& row) {
    if (const HeldButton* held = findHeldButton(row.name); held != nullptr && held->arrowPad) {
        return std::string(kArrowPad);
    }
    for (const UnlabelledGroup& group : kUnlabelledGroups) {
        if (group.frame == row.container) return std::string(group.caption);
    }
    const ControlRow* heading =
        row.container.empty() ? headingAbove(table, row) : headingInFrame(table, row.container);
    return heading != nullptr ? collapseBlanks(heading->caption) : std::string();
}

std::string accessibleName(const ControlTable& table, const ControlRow& row) {
    const std::string group = groupCaption(table, row);
    const std::string caption = collapseBlanks(spelled(row.caption));
    return group.empty() ? caption : group + " " + caption;
}

std::string accessibleDescription(const ControlRow& row) {
    if (const OneShotButton* button = findOneShotButton(row.name)) {
        return "Sends " + std::string(button->code);
    }
    if (const HeldButton* button = findHeldButton(row.name)) {
        return "Hold to repeat " + std::string(button->code);
    }
    if (const ModeButton* button = findModeButton(row.name)) {
        return "Sets the arrow pad pace and sends " + std::string(button->code);
    }
    if (row.name == kEndButton) return "Closes the port and ends the program";
    if (row.name == kComButton) return "Shows the port panel";
    if (row.name == kDataToggle) return "Shows or hides the data monitor and the read-out buttons";
    if (row.name == kOptionCom1 || row.name == kOptionCom2) {
        return "Opens the line on " + std::string(row.caption);
    }
    if (row.name == kOption19200 || row.name == kOption9600) {
        return "Sets the line to " + std::string(row.caption) + " baud";
    }
    if (row.name == kTxLine) return "Sent";
    if (row.name == kRxLine) return "Received";
    if (row.name == kStatusLine) return "Projector status";
    return {};
}

}  // namespace zoma
