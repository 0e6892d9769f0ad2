// Typed values of read-out replies: which replies give a value, and how values are written.
#include "replies/ProjectorValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zoma {
namespace {

struct Case {
    std::string reply;
    std::optional<ProjectorValue> expected;
};

std::string shown(const std::optional<ProjectorValue>& value) {
    return value ? valueJson(*value) : "no value";
}

void expectDecoding(const char* code, const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const std::optional<ProjectorValue> value = decodeValue(code, c.reply);
        EXPECT_EQ(value, c.expected) << code << " \"" << c.reply << "\" gave " << shown(value)
                                     << ", not " << shown(c.expected);
    }
}

TEST(ProjectorValues, PowerStateIsOneOfElevenPairs) {
    expectDecoding("CR0", {
                              {"00", PowerState::On},
                              {"80", PowerState::Standby},
                              {"40", PowerState::CountDown},
                              {"20", PowerState::Cooling},
                              {"10", PowerState::PowerAbnormality},
                              {"28", PowerState::TemperatureAbnormality},
                              {"08", PowerState::TemperatureAbnormality},
                              {"88", PowerState::TemperatureAbnormality},
                              {"02", PowerState::KeyInputProhibition},
                              {"24", PowerState::PowerManagementCooling},
                              {"04", PowerState::PowerManagement},
                              {"55", std::nullopt},   // a pair the projector never sends
                              {"8", std::nullopt},    // half a reply
                              {"800", std::nullopt},  // longer than the reply
                              {"", std::nullopt},
                              {" 0", std::nullopt},
                              {"0\r", std::nullopt},
                          });
}

TEST(ProjectorValues, InputIsTheDigitPlusOne) {
    expectDecoding("CR1", {
                              {"0", InputTerminal{1}},
                              {"1", InputTerminal{2}},
                              {"2", InputTerminal{3}},
                              {"3", std::nullopt},
                              {"/", std::nullopt},
                              {"01", std::nullopt},
                              {"", std::nullopt},
                              {"\r", std::nullopt},
                          });
}

TEST(ProjectorValues, LampHoursAreFourDecimalDigits) {
    expectDecoding("CR3", {
                              {"0123", LampHours{123}},
                              {"0000", LampHours{0}},
                              {"9999", LampHours{9999}},
                              {"123", std::nullopt},
                              {"01234", std::nullopt},
                              {"12a4", std::nullopt},
                              {" 123", std::nullopt},
                              {"+123", std::nullopt},
                              {"01\r3", std::nullopt},
                          });
}

TEST(ProjectorValues, OrientationIsOneOfFourPairs) {
    expectDecoding("CR4", {
                              {"11", Orientation::Normal},
                              {"10", Orientation::TopBottom},
                              {"01", Orientation::LeftRight},
                              {"00", Orientation::TopBottomLeftRight},
                              {"12", std::nullopt},
                              {"1", std::nullopt},
                              {"110", std::nullopt},
                              {"\r1", std::nullopt},
                          });
}

TEST(ProjectorValues, TemperaturesAreThreeFieldsWithTheSecondSignBeforeItsField) {
    expectDecoding("CR6",
                   {
                       {"+38.5 +45.0 +41.0", Temperatures{38.5, 45.0, 41.0}},
                       {"-05.0 -12.5 +00.0", Temperatures{-5.0, -12.5, 0.0}},
                       {"+99.9 -99.9 -99.9", Temperatures{99.9, -99.9, -99.9}},
                       {"12345  9999 00001", Temperatures{12345, 9999, 1}},
                       {"+31.0  -3.5 +30.5", Temperatures{31.0, -3.5, 30.5}},  // sign in the field
                       {"12.25 +12.2 -1.25", Temperatures{12.25, 12.2, -1.25}},
                       {"+31.0x233.5y+30.5", Temperatures{31.0, 33.5, 30.5}},  // 6, 7, 12 unread
                       {"+38.5 +-5.0 +41.0", std::nullopt},  // sign in character 7 and in the field
                       {"+-8.5 +45.0 +41.0", std::nullopt},
                       {"+38.5 +45.0 --1.0", std::nullopt},
                       {"+ 8.5 +45.0 +41.0", std::nullopt},  // blank inside a field
                       {"+38.5 +4 .0 +41.0", std::nullopt},
                       {"+.385 +45.0 +41.0", std::nullopt},  // no digits before the point
                       {"+385. +45.0 +41.0", std::nullopt},  // none after it
                       {"+38,5 +45.0 +41.0", std::nullopt},
                       {"+1e10 +45.0 +41.0", std::nullopt},
                       {"+38.5 +45.0 +41.", std::nullopt},
                       {"+38.5 +45.0 +41.0 ", std::nullopt},
                       {"+38.5\r+45.0 +41.0", std::nullopt},  // two replies run together
                   });
}

TEST(ProjectorValues, OnlyTheFiveReadOutsHaveValues) {
    for (const char* code : {"CR2", "CR5", "cr0", "CR0\r", "C00", ""}) {
        EXPECT_FALSE(decodeValue(code, "00")) << code;
    }
}

// A metrics exporter writes one series per token, so a state listed twice or two states
// sharing a token would break it.
TEST(ProjectorValues, EveryStateHasATokenOfItsOwn) {
    std::set<PowerState> states;
    std::set<std::string_view> powerTokens;
    for (const PowerStateRow& row : kPowerStates) {
        states.insert(row.state);
        powerTokens.insert(row.token);
    }
    EXPECT_EQ(states.size(), 9u);
    EXPECT_EQ(powerTokens.size(), 9u);

    std::set<Orientation> orientations;
    std::set<std::string_view> orientationTokens;
    for (const OrientationRow& row : kOrientations) {
        orientations.insert(row.orientation);
        orientationTokens.insert(row.token);
    }
    EXPECT_EQ(orientations.size(), 4u);
    EXPECT_EQ(orientationTokens.size(), 4u);
}

TEST(ProjectorValues, ValuesAsTextAndJson) {
    const double nan = std::nan("");
    struct Written {
        ProjectorValue value;
        const char* text;
        const char* json;
    };
    const Written cases[] = {
        {LampHours{123}, "123", "123"},
        {LampHours{0}, "0", "0"},
        {InputTerminal{2}, "2", "2"},
        {PowerState::On, "on", "\"on\""},
        {PowerState::Standby, "standby", "\"standby\""},
        {PowerState::CountDown, "countdown", "\"countdown\""},
        {PowerState::Cooling, "cooling", "\"cooling\""},
        {PowerState::PowerAbnormality, "power-abnormality", "\"power-abnormality\""},
        {PowerState::TemperatureAbnormality, "temperature-abnormality",
         "\"temperature-abnormality\""},
        {PowerState::KeyInputProhibition, "key-input-prohibition", "\"key-input-prohibition\""},
        {PowerState::PowerManagementCooling, "power-management-cooling",
         "\"power-management-cooling\""},
        {PowerState::PowerManagement, "power-management", "\"power-management\""},
        {Orientation::Normal, "normal", "\"normal\""},
        {Orientation::TopBottom, "top-bottom", "\"top-bottom\""},
        {Orientation::LeftRight, "left-right", "\"left-right\""},
        {Orientation::TopBottomLeftRight, "top-bottom-left-right", "\"top-bottom-left-right\""},
        {Temperatures{31, 33.5, 30.5}, "31.0 33.5 30.5", R"({"s1":31.0,"s2":33.5,"s3":30.5})"},
        // "-00.0" from a sensor reads as negative zero.
        {Temperatures{12.25, -0.0, -5}, "12.25 0.0 -5.0", R"({"s1":12.25,"s2":0.0,"s3":-5.0})"},
        {Temperatures{0.1, 99999, -99.9}, "0.1 99999.0 -99.9",
         R"({"s1":0.1,"s2":99999.0,"s3":-99.9})"},
        {Temperatures{1e20, 1e-7, 0}, "100000000000000000000.0 0.0000001 0.0",
         R"({"s1":100000000000000000000.0,"s2":0.0000001,"s3":0.0})"},
        {Temperatures{nan, HUGE_VAL, 1}, "nan inf 1.0", R"({"s1":null,"s2":null,"s3":1.0})"},
    };
    for (const Written& c : cases) {
        EXPECT_EQ(valueText(c.value), c.text);
        EXPECT_EQ(valueJson(c.value), c.json);
    }
}

}  // namespace
}  // namespace zoma
