// The projector model: power phases on an injected clock, selections and every reply format.
#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "replies/ProjectorValues.h"
#include "sim/ProjectorModel.h"

namespace zoma::sim {
namespace {

const std::string kAckReply(1, kAck);
const std::string kNakReply(1, kNak);

ModelSettings startingIn(PowerState state) {
    ModelSettings settings;
    settings.startState = state;
    return settings;
}

TEST(ProjectorModel, PowerOnCountsDownThenPowerOffCoolsToStandby) {
    ProjectorModel model(startingIn(PowerState::Standby), 1000);
    EXPECT_EQ(model.answer("CR0", 1000), "80\r");
    EXPECT_FALSE(model.phaseEnd());

    EXPECT_EQ(model.answer("C00", 2000), kAckReply);
    EXPECT_EQ(model.phaseEnd(), 2000 + 5000);
    EXPECT_EQ(model.answer("CR0", 6999), "40\r");
    EXPECT_FALSE(model.advance(6999));
    EXPECT_TRUE(model.advance(7000));
    EXPECT_EQ(model.answer("CR0", 7000), "00\r");

    EXPECT_EQ(model.answer("C02", 10000), kAckReply);
    EXPECT_EQ(model.answer("CR0", 17999), "20\r");
    // A query after the phase has ended sees the new state without an advance() of its own.
    EXPECT_EQ(model.answer("CR0", 18000), "80\r");
    EXPECT_FALSE(model.phaseEnd());
}

TEST(ProjectorModel, PowerCodesOutsideTheNormalWalk) {
    struct Case {
        PowerState start;
        const char* code;
        const char* expectedAfter;
    };
    const Case cases[] = {
        {PowerState::Standby, "C02", "80\r"},
        {PowerState::On, "C00", "00\r"},
        {PowerState::CountDown, "C02", "40\r"},
        {PowerState::Cooling, "C00", "20\r"},
        {PowerState::PowerAbnormality, "C00", "10\r"},
        {PowerState::TemperatureAbnormality, "C00", "28\r"},
        {PowerState::TemperatureAbnormality88, "C02", "88\r"},
        {PowerState::KeyProhibited, "C02", "02\r"},
        {PowerState::PowerManagement, "C00", "40\r"},
        {PowerState::PowerManagement, "C02", "80\r"},
    };
    for (const Case& c : cases) {
        ProjectorModel model(startingIn(c.start), 0);
        EXPECT_EQ(model.answer(c.code, 10), kAckReply);
        EXPECT_EQ(model.answer("CR0", 20), c.expectedAfter)
            << powerRow(c.start).name << " " << c.code;
    }
}

TEST(ProjectorModel, PhasesOfStartStatesRunFromTheStart) {
    ModelSettings settings = startingIn(PowerState::PowerManagementCooling);
    settings.coolingMs = 300;
    ProjectorModel model(settings, 100);
    EXPECT_EQ(model.answer("CR0", 399), "24\r");
    EXPECT_EQ(model.answer("CR0", 400), "04\r");
}

TEST(ProjectorModel, EveryPowerStateAnswersItsTwoDigits) {
    const std::pair<PowerState, const char*> cases[] = {
        {PowerState::Standby, "80\r"},
        {PowerState::CountDown, "40\r"},
        {PowerState::On, "00\r"},
        {PowerState::Cooling, "20\r"},
        {PowerState::PowerAbnormality, "10\r"},
        {PowerState::TemperatureAbnormality, "28\r"},
        {PowerState::TemperatureAbnormality08, "08\r"},
        {PowerState::TemperatureAbnormality88, "88\r"},
        {PowerState::KeyProhibited, "02\r"},
        {PowerState::PowerManagementCooling, "24\r"},
        {PowerState::PowerManagement, "04\r"},
    };
    for (const auto& [state, reply] : cases) {
        ProjectorModel model(startingIn(state), 0);
        EXPECT_EQ(model.answer("CR0", 0), reply) << powerRow(state).name;
    }
}

TEST(ProjectorModel, InputCodesSelectTheInputThatCr1Reports) {
    struct Case {
        const char* code;
        const char* reply;
    };
    const Case cases[] = {
        {"C06", "1\r"}, {"C05", "0\r"}, {"C08", "2\r"}, {"C22", "0\r"},
        {"C07", "1\r"}, {"C24", "2\r"}, {"C25", "1\r"}, {"C26", "2\r"},
    };
    ProjectorModel model(ModelSettings{}, 0);
    EXPECT_EQ(model.answer("CR1", 0), "0\r");
    for (const Case& c : cases) {
        EXPECT_EQ(model.answer(c.code, 0), kAckReply);
        EXPECT_EQ(model.answer("CR1", 0), c.reply) << c.code;
    }
}

TEST(ProjectorModel, MuteNoShowAndFreezeFollowTheirCodes) {
    struct Case {
        const char* code;
        bool mute, noShow, freeze;
    };
    const Case cases[] = {
        {"C0B", true, false, false}, {"C0D", true, true, false},  {"C43", true, true, true},
        {"C0C", false, true, true},  {"C0E", false, false, true}, {"C44", false, false, false},
    };
    ProjectorModel model(ModelSettings{}, 0);
    for (const Case& c : cases) {
        model.answer(c.code, 0);
        EXPECT_EQ(model.audioMute(), c.mute) << c.code;
        EXPECT_EQ(model.noShow(), c.noShow) << c.code;
        EXPECT_EQ(model.freeze(), c.freeze) << c.code;
    }
}

TEST(ProjectorModel, KnownOperationCodesGetAckAloneAndOthersNak) {
    ProjectorModel model(ModelSettings{}, 0);
    const char* operations[] = {"C01", "C09", "C0A", "C0F", "C10", "C1C", "C1D", "C1E",
                                "C27", "C30", "C31", "C3A", "C3B", "C3C", "C3D", "C3E",
                                "C3F", "C46", "C47", "C4A", "C4B", "C5D", "C5E", "C80",
                                "C87", "C88", "C89", "C8A", "C8E", "C8F"};
    for (const char* code : operations) EXPECT_EQ(model.answer(code, 0), kAckReply) << code;

    const std::string unknown[] = {"C99", "c00", "CR2", "CR5", "cr0", "XYZ", std::string(3, '\0'),
                                   "C0",  "CR0 "};
    for (const std::string& code : unknown) {
        EXPECT_EQ(model.answer(code, 0), kNakReply) << code;
    }
}

TEST(ProjectorModel, Cr3IsFourDigitsOfLampHours) {
    const std::pair<int, const char*> cases[] = {
        {0, "0000\r"}, {7, "0007\r"}, {123, "0123\r"}, {9999, "9999\r"}, {20000, "9999\r"}};
    for (const auto& [hours, reply] : cases) {
        ModelSettings settings;
        settings.lampHours = hours;
        ProjectorModel model(settings, 0);
        EXPECT_EQ(model.answer("CR3", 0), reply);
    }
}

TEST(ProjectorModel, LampHoursGrowOnlyWhileOn) {
    constexpr Millis kHour = 3600 * 1000;
    ModelSettings settings = startingIn(PowerState::On);
    settings.lampHours = 10;
    settings.coolingMs = 1000;
    ProjectorModel model(settings, 0);
    EXPECT_EQ(model.answer("CR3", kHour * 5 / 2), "0012\r");
    model.answer("C02", 3 * kHour);
    EXPECT_EQ(model.answer("CR3", 9 * kHour), "0013\r");

    settings.lampHours = 9998;
    ProjectorModel worn(settings, 0);
    EXPECT_EQ(worn.answer("CR3", 5 * kHour), "9999\r");
}

TEST(ProjectorModel, Cr4IsTheOrientationsTwoDigits) {
    const std::pair<Orientation, const char*> cases[] = {
        {Orientation::Normal, "11\r"},
        {Orientation::TopBottom, "10\r"},
        {Orientation::LeftRight, "01\r"},
        {Orientation::Both, "00\r"},
    };
    for (const auto& [orientation, reply] : cases) {
        ModelSettings settings;
        settings.orientation = orientation;
        ProjectorModel model(settings, 0);
        EXPECT_EQ(model.answer("CR4", 0), reply) << orientationRow(orientation).name;
    }
}

// The panel shows characters 1-5, 8-11 and 13-17 of the reply; each reading is sign, two
// digits, point, tenth, and a single space separates the readings.
TEST(ProjectorModel, Cr6IsSeventeenCharactersOfThreeReadings) {
    for (const PowerRow& row : kPowerRows) {
        ProjectorModel model(startingIn(row.state), 0);
        const std::string reply = model.answer("CR6", 0);
        ASSERT_EQ(reply.size(), 18u) << row.name;
        EXPECT_EQ(reply[17], kCr);
        EXPECT_EQ(reply[5], ' ');
        EXPECT_EQ(reply[11], ' ');
        for (std::size_t start : {0u, 6u, 12u}) {
            EXPECT_TRUE(reply[start] == '+' || reply[start] == '-') << reply;
            EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(reply[start + 1])) &&
                        std::isdigit(static_cast<unsigned char>(reply[start + 2])) &&
                        reply[start + 3] == '.' &&
                        std::isdigit(static_cast<unsigned char>(reply[start + 4])))
                << reply;
        }
    }
}

// The panel's decoder takes every read-out reply the simulator gives: each power state (with its
// temperatures), each orientation, each input and lamp hours up to the limit.
TEST(ProjectorModel, EveryReadOutReplyDecodesToAValue) {
    const char* inputCodes[] = {"C05", "C06", "C08"};
    const int lampHours[] = {0, 123, 9999, 20000};
    int turn = 0;
    for (const PowerRow& power : kPowerRows) {
        for (const OrientationRow& orientation : kOrientationRows) {
            ModelSettings settings = startingIn(power.state);
            settings.orientation = orientation.orientation;
            settings.lampHours = lampHours[turn % 4];
            ProjectorModel model(settings, 0);
            model.answer(inputCodes[turn % 3], 0);
            ++turn;
            for (const char* code : {"CR0", "CR1", "CR3", "CR4", "CR6"}) {
                std::string reply = model.answer(code, 0);
                ASSERT_FALSE(reply.empty());
                ASSERT_EQ(reply.back(), kCr) << code;
                reply.pop_back();
                const std::optional<ProjectorValue> value = decodeValue(code, reply);
                EXPECT_TRUE(value)
                    << power.name << " " << orientation.name << " " << code << " " << reply;
                if (code == std::string_view("CR1") && value) {
                    EXPECT_EQ(*value, ProjectorValue(InputTerminal{model.input()}));
                }
                if (code == std::string_view("CR3") && value) {
                    EXPECT_EQ(*value, ProjectorValue(LampHours{model.lampHours(0)}));
                }
            }
        }
    }
}

}  // namespace
}  // namespace zoma::sim
