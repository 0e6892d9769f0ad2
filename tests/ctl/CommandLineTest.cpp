// zoma-ctl's commands: names from the panel's tables, raw codes, and the words that stop a run
// before anything is sent.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "commands/CommandTables.h"
#include "ctl/Catalogue.h"
#include "form/ControlTable.h"

namespace zoma::ctl {
namespace {

void collectName(std::string_view command, std::set<std::string>& names) {
    const std::string name(command);
    // A second row of the same name could never be reached from the command line.
    EXPECT_TRUE(names.insert(name).second) << name << " is named twice";
    for (char c : name) EXPECT_FALSE(std::isupper(static_cast<unsigned char>(c))) << name;
}

TEST(CommandLine, EveryButtonHasANameOfItsOwnInLowerCase) {
    std::set<std::string> names;
    for (const ControlRow& row : form1Controls()) {
        if (row.behaviour.handler == Handler::Send) collectName(row.behaviour.command, names);
    }
    for (const HeldButton& row : heldButtons()) collectName(row.name, names);
    for (const ModeButton& row : modeButtons()) collectName(row.name, names);
    // 28 one-shot buttons, 18 held buttons, 5 mode buttons.
    EXPECT_EQ(names.size(), 51u);
}

TEST(CommandLine, WordsBecomeStepsOrUsageErrors) {
    struct Case {
        const char* word;
        int repeat;
        // Empty when the word is good.
        const char* error;
        const char* code = "";
        Answer answer = Answer::Acknowledgement;
        int frames = 0;
        int periodMs = 0;
    };
    const auto ack = Answer::Acknowledgement;
    const auto readOut = Answer::ReadOut;
    const Case cases[] = {
        {"power-off", 0, "", "C02", ack, 1, 0},
        {"power-on", 0, "", "C00", ack, 1, 0},
        // The captions "VIDEO" and "COMPONENT" stand in two groups each, with other codes.
        {"input2-video", 0, "", "C07", ack, 1, 0},
        {"input3-video", 0, "", "C08", ack, 1, 0},
        {"input2-component", 0, "", "C25", ack, 1, 0},
        {"input3-component", 0, "", "C26", ack, 1, 0},
        {"input1-digital", 0, "", "C22", ack, 1, 0},
        {"no-show-off", 0, "", "C0E", ack, 1, 0},
        {"menu-on", 0, "", "C1C", ack, 1, 0},
        {"menu-off", 0, "", "C1D", ack, 1, 0},
        {"c01", 0, "", "C01", ack, 1, 0},
        {"status", 0, "", "CR0", readOut, 1, 0},
        {"lamp-time", 0, "", "CR3", readOut, 1, 0},
        {"temp", 0, "", "CR6", readOut, 1, 0},
        {"C1E", 0, "", "C1E", ack, 1, 0},
        {"C7F", 0, "", "C7F", ack, 1, 0},
        {"CR0", 0, "", "CR0", readOut, 1, 0},
        {"CR9", 0, "", "CR9", readOut, 1, 0},
        {"vol+", 3, "", "C09", ack, 3, 250},
        {"select", 2, "", "C3F", ack, 2, 500},
        {"up", 2, "", "C3C", ack, 2, 200},
        {"lens-shift-down", 4, "", "C5E", ack, 4, 50},
        {"d.zoom-", 2, "", "C31", ack, 2, 250},
        {"keystone+", 1, "", "C8E", ack, 1, 250},
        {"vol-", 0, "", "C0A", ack, 1, 250},
        {"zoom", 0, "", "C80", ack, 1, 0},
        {"c1e", 0, "unknown command 'c1e'"},
        {"C1e", 0, "unknown command 'C1e'"},
        {"C1G", 0, "unknown command 'C1G'"},
        {"CRA", 0, "unknown command 'CRA'"},
        {"C001", 0, "unknown command 'C001'"},
        {"Power-on", 0, "unknown command 'Power-on'"},
        {"status", 2, "--repeat goes with held buttons only"},
        {"C09", 2, "--repeat goes with held buttons only"},
        {"read-all", 2, "--repeat goes with held buttons only"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        const Plan plan = planSteps({c.word}, c.repeat);
        if (*c.error != '\0') {
            EXPECT_NE(plan.error.find(c.error), std::string::npos) << plan.error;
            EXPECT_TRUE(plan.steps.empty());
            continue;
        }
        ASSERT_EQ(plan.steps.size(), 1u) << plan.error;
        const Step& step = plan.steps[0];
        EXPECT_EQ(step.code, c.code);
        EXPECT_EQ(step.answer, c.answer);
        EXPECT_EQ(step.frames, c.frames);
        EXPECT_EQ(step.periodMs, c.periodMs);
    }
    EXPECT_NE(planSteps({}, 0).error, "");
}

}  // namespace
}  // namespace zoma::ctl
