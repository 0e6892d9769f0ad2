// zoma-ctl's commands: names from the panel's tables, raw codes, and the words that stop a run
// before anything is sent.
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "commands/CommandTables.h"
#include "ctl/Catalogue.h"

namespace zoma::ctl {
namespace {

// The single step a word plans to, or a failed expectation.
Step onlyStep(const std::string& word, int repeat = 0) {
    const Plan plan = planSteps({word}, repeat);
    EXPECT_EQ(plan.error, "") << word;
    return plan.steps.size() == 1 ? plan.steps[0] : Step{};
}

template <typename Rows>
void expectNamesLeadToCodes(Rows rows, std::set<std::string>& names) {
    for (const auto& row : rows) {
        const std::string name(row.name);
        EXPECT_TRUE(names.insert(name).second) << name << " is named twice";
        for (char c : name) EXPECT_FALSE(std::isupper(static_cast<unsigned char>(c))) << name;
        EXPECT_EQ(onlyStep(name).code, row.code) << name;
    }
}

TEST(CommandLine, EveryRowOfTheTablesHasAUniqueLowerCaseNameThatSendsItsCode) {
    std::set<std::string> names;
    expectNamesLeadToCodes(oneShotButtons(), names);
    expectNamesLeadToCodes(heldButtons(), names);
    expectNamesLeadToCodes(modeButtons(), names);
    EXPECT_EQ(names.size(), 28u + 18u + 5u);
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
        {"temp", 0, "", "CR6", readOut, 1, 0},
        {"C1E", 0, "", "C1E", ack, 1, 0},
        {"C7F", 0, "", "C7F", ack, 1, 0},
        {"CR0", 0, "", "CR0", readOut, 1, 0},
        {"CR9", 0, "", "CR9", readOut, 1, 0},
        {"vol+", 3, "", "C09", ack, 3, 250},
        {"select", 2, "", "C3F", ack, 2, 500},
        {"up", 2, "", "C3C", ack, 2, 200},
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
