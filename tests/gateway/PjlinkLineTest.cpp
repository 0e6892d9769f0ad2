// Command lines taken apart as PJLink 1.00 lays them out, and the lines sent back.
#include "gateway/PjlinkLine.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zoma::gateway {
namespace {

TEST(PjlinkLineTest, ALineIsTakenApartAsSentOrNotAtAllWhenNoResponseCouldEchoIt) {
    struct Case {
        const char* line;
        bool answerable;
        char classDigit;
        const char* body;
        bool separated;
        const char* parameter;
    };
    const Case cases[] = {
        {"%1POWR ?", true, '1', "POWR", true, "?"},
        {"%1INPT 31", true, '1', "INPT", true, "31"},
        {"%2POWR ?", true, '2', "POWR", true, "?"},
        {"%1powr 1", true, '1', "powr", true, "1"},
        {"%1POWR", true, '1', "POWR", false, ""},
        {"%1POWR?", true, '1', "POWR", false, ""},
        {"%1POWR ", true, '1', "POWR", true, ""},
        {"%1NAME  two spaces", true, '1', "NAME", true, " two spaces"},
        // Nothing to echo: no header, or no four-character command after it.
        {"", false, 0, "", false, ""},
        {"POWR ?", false, 0, "", false, ""},
        {"%1POW", false, 0, "", false, ""},
        {" %1POWR ?", false, 0, "", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const std::optional<PjlinkCommand> command = parsePjlinkCommand(c.line);
        ASSERT_EQ(command.has_value(), c.answerable);
        if (!command) continue;
        EXPECT_EQ(command->classDigit, c.classDigit);
        EXPECT_EQ(command->body, c.body);
        EXPECT_EQ(command->separated, c.separated);
        EXPECT_EQ(command->parameter, c.parameter);
    }
}

TEST(PjlinkLineTest, ResponsesEchoTheCommandAsSentAndGreetingsSayWhetherAPasswordIsSet) {
    EXPECT_EQ(responseLine(*parsePjlinkCommand("%1POWR 1"), "OK"), "%1POWR=OK\r");
    EXPECT_EQ(responseLine(*parsePjlinkCommand("%1LAMP ?"), "1234 1"), "%1LAMP=1234 1\r");
    EXPECT_EQ(responseLine(*parsePjlinkCommand("%2powr ?"), "ERR1"), "%2powr=ERR1\r");
    EXPECT_EQ(greetingLine(std::nullopt), "PJLINK 0\r");
    EXPECT_EQ(greetingLine(std::string("498e4a67")), "PJLINK 1 498e4a67\r");
    EXPECT_EQ(kAuthenticationErrorLine, "PJLINK ERRA\r");
}

}  // namespace
}  // namespace zoma::gateway
