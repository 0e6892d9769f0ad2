// Every control the operator can reach has a name of its own that says what it does.
#include "form/ControlNames.h"

#include <gtest/gtest.h>

#include <set>

namespace zoma {
namespace {

TEST(ControlNames, NamedWithTheirGroupAndDescribedByWhatTheySend) {
    struct Case {
        const char* control;
        const char* name;
        const char* description;
    };
    const Case cases[] = {
        {"Command17", "POWER ON", "Sends C00"},
        {"Command20", "AUDIO MUTE OFF", "Sends C0C"},
        {"Command40", "INPUT 1 ANALOG", "Sends C05"},
        {"Command29", "INPUT 2 VIDEO", "Sends C07"},
        {"Command4", "INPUT 3 VIDEO", "Sends C08"},
        {"Command31", "VIDEO image Normal", "Sends C0F"},
        {"Command1", "VOL +", "Hold to repeat C09"},
        {"Command35", "Zoom -", "Hold to repeat C46"},
        {"Command48", "D.Zoom +", "Hold to repeat C30"},
        {"Command59", "LENS SHIFT up", "Hold to repeat C5D"},
        {"Command9", "Arrow pad left", "Hold to repeat C3B"},
        {"Command6", "SELECT", "Hold to repeat C3F"},
        {"Command30", "R-click", "Hold to repeat C3E"},
        {"Command10", "ZOOM", "Sets the arrow pad pace and sends C80"},
        {"Command23", "MENU ON", "Sets the arrow pad pace and sends C1C"},
        {"Command3", "DISPLAY CLEAR", "Sends C1E"},
        {"Command44", "STATUS", "Sends CR0"},
        {"Command33", "COM", "Shows the port panel"},
        {"Option2", "Port COM2", "Opens the line on COM2"},
        {"Option4", "Speed 9600", "Sets the line to 9600 baud"},
    };
    const ControlTable& table = form1Controls();
    for (const Case& c : cases) {
        const ControlRow* row = table.find(c.control);
        ASSERT_NE(row, nullptr) << c.control;
        EXPECT_EQ(accessibleName(*row), c.name) << c.control;
        EXPECT_EQ(accessibleDescription(*row), c.description) << c.control;
    }
    // The lines are read by their text; what they are described as says which line it is.
    EXPECT_EQ(accessibleDescription(*table.find("Label11")), "Sent");
    EXPECT_EQ(accessibleDescription(*table.find("Label12")), "Received");
    EXPECT_EQ(accessibleDescription(*table.find("Label25")), "Projector status");
}

TEST(ControlNames, EveryFocusableControlHasAUniqueNameAndADescription) {
    const ControlTable& table = form1Controls();
    std::set<std::string> names;
    for (const ControlRow& row : table) {
        if (row.tab == 0) continue;
        const std::string name = accessibleName(row);
        EXPECT_FALSE(name.empty()) << row.name;
        EXPECT_TRUE(names.insert(name).second) << row.name << " shares the name " << name;
        EXPECT_FALSE(accessibleDescription(row).empty()) << row.name;
    }
}

}  // namespace
}  // namespace zoma
