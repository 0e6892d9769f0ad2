// The LT540/LT47 as a PJLink class 1 device: its power states, inputs and mutes, as data.
#pragma once

#include <string_view>

#include "replies/ProjectorValues.h"

namespace zoma::gateway {

// What a set command (POWR, INPT, AVMT) gets in a power state.
enum class SetRule {
    Accepted,     // its frames go to the projector
    PowerOnOnly,  // only POWR 1 goes; every other set is ERR3
    Unavailable,  // ERR3, nothing sent: the projector would acknowledge and ignore it
    Failure,      // ERR4, nothing sent
};

// One row per power state that "CR0" reports.
struct PowerRow {
    PowerState state;
    std::string_view words;   // the panel's words: a reader with the manual finds the row
    std::string_view power;   // POWR ?: "0" to "3", or ERR4
    std::string_view lampOn;  // LAMP ?'s second number
    SetRule sets;
    std::string_view errorStatus;  // ERST ?: fan, lamp, temperature, cover, filter, other
};

inline constexpr PowerRow kPowerRows[] = {
    {PowerState::On, "Power ON", "1", "1", SetRule::Accepted, "000000"},
    {PowerState::KeyInputProhibition, "Key input prohibition", "1", "1", SetRule::Unavailable,
     "000000"},
    {PowerState::CountDown, "Count down", "3", "1", SetRule::Unavailable, "000000"},
    {PowerState::Cooling, "Cooling down", "2", "0", SetRule::Unavailable, "000000"},
    {PowerState::PowerManagementCooling, "Power Management Cooling", "2", "0", SetRule::Unavailable,
     "000000"},
    {PowerState::Standby, "Stand by", "0", "0", SetRule::PowerOnOnly, "000000"},
    {PowerState::PowerManagement, "Power Management", "0", "0", SetRule::PowerOnOnly, "000000"},
    {PowerState::PowerAbnormality, "Power abnormality", "ERR4", "0", SetRule::Failure, "000002"},
    {PowerState::TemperatureAbnormality, "Temperature abnormality", "ERR4", "0", SetRule::Failure,
     "002000"},
};

// POWR's two parameters.
struct PowerSetting {
    std::string_view parameter;
    std::string_view code;
    bool powerOn;  // the one set that standby takes
};

inline constexpr PowerSetting kPowerSettings[] = {
    {"1", "C00", true},   // POWER ON
    {"0", "C02", false},  // POWER OFF
};

// INPT's parameters: the PJLink input number, the projector's code and its terminal ("CR1"
// reports the terminal only).
struct InputRow {
    std::string_view parameter;
    std::string_view code;
    std::string_view words;  // the button's caption on the panel
    int terminal;
};

inline constexpr InputRow kInputs[] = {
    {"11", "C05", "INPUT 1 ANALOG", 1},    {"12", "C06", "INPUT 2 RGB", 2},
    {"13", "C25", "INPUT 2 COMPONENT", 2}, {"14", "C26", "INPUT 3 COMPONENT", 3},
    {"21", "C07", "INPUT 2 VIDEO", 2},     {"22", "C08", "INPUT 3 VIDEO", 3},
    {"23", "C24", "INPUT 3 S-VIDEO", 3},   {"31", "C22", "INPUT 1 DIGITAL", 1},
};

// INPT ? on a terminal whose input was never chosen through the gateway: its first input.
struct TerminalDefault {
    int terminal;
    std::string_view parameter;
};

inline constexpr TerminalDefault kTerminalDefaults[] = {{1, "11"}, {2, "12"}, {3, "22"}};

// The projector's mute codes: the picture's ("No Show") and the sound's.
enum class Mute { Video, Audio };

struct MuteCode {
    std::string_view code;
    Mute mute;
    bool on;
};

inline constexpr MuteCode kMuteCodes[] = {
    {"C0D", Mute::Video, true},   // No Show ON
    {"C0E", Mute::Video, false},  // No Show OFF
    {"C0B", Mute::Audio, true},   // AUDIO MUTE ON
    {"C0C", Mute::Audio, false},  // AUDIO MUTE OFF
};

// AVMT's parameters and the frames each sends, in one request.
struct MuteSetting {
    std::string_view parameter;
    std::string_view codes[2];  // the second is empty for one mute alone
};

inline constexpr MuteSetting kMuteSettings[] = {
    {"10", {"C0E", ""}}, {"11", {"C0D", ""}},    {"20", {"C0C", ""}},
    {"21", {"C0B", ""}}, {"30", {"C0E", "C0C"}}, {"31", {"C0D", "C0B"}},
};

// AVMT ?'s answer for the two mutes.
struct MuteState {
    bool video;
    bool audio;
    std::string_view answer;
};

inline constexpr MuteState kMuteStates[] = {
    {false, false, "30"},
    {true, false, "11"},
    {false, true, "21"},
    {true, true, "31"},
};

}  // namespace zoma::gateway
