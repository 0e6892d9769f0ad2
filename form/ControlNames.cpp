// Names and descriptions read from the control table's behaviour column and the command tables.
#include "form/ControlNames.h"

#include "commands/CommandTables.h"

namespace zoma {

namespace {

struct SpelledCaption {
    std::string_view caption;
    std::string_view words;
};
constexpr SpelledCaption kArrows[] = {{"↑", "up"}, {"↓", "down"}, {"←", "left"}, {"→", "right"}};

std::string_view spelled(std::string_view caption) {
    for (const SpelledCaption& arrow : kArrows) {
        if (arrow.caption == caption) return arrow.words;
    }
    return caption;
}

}  // namespace

std::string accessibleName(const ControlRow& row) {
    const std::string caption(spelled(row.caption));
    const std::string_view group = row.behaviour.group;
    return group.empty() ? caption : std::string(group) + " " + caption;
}

std::string accessibleDescription(const ControlRow& row) {
    switch (row.behaviour.handler) {
        case Handler::Send:
            return "Sends " + std::string(row.behaviour.code);
        case Handler::Hold:
            if (const HeldButton* held = findHeldButton(row.name)) {
                return "Hold to repeat " + std::string(held->code);
            }
            break;
        case Handler::Mode:
            if (const ModeButton* mode = findModeButton(row.name)) {
                return "Sets the arrow pad pace and sends " + std::string(mode->code);
            }
            break;
        default:
            break;
    }
    return std::string(row.behaviour.description);
}

}  // namespace zoma
