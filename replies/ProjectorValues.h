// The projector's state as typed values, decoded from the replies to the read-out queries.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace zoma {

enum class PowerState {
    On,
    Standby,
    CountDown,
    Cooling,
    PowerAbnormality,
    TemperatureAbnormality,
    KeyInputProhibition,
    PowerManagementCooling,
    PowerManagement,
};

enum class Orientation { Normal, TopBottom, LeftRight, TopBottomLeftRight };

struct InputTerminal {
    int number;  // 1 to 3
};

struct LampHours {
    int hours;  // 0 to 9999
};

// Degrees Celsius of the three sensors.
struct Temperatures {
    double s1, s2, s3;
};

inline bool operator==(InputTerminal a, InputTerminal b) {
    return a.number == b.number;
}
inline bool operator==(LampHours a, LampHours b) {
    return a.hours == b.hours;
}
inline bool operator==(const Temperatures& a, const Temperatures& b) {
    return a.s1 == b.s1 && a.s2 == b.s2 && a.s3 == b.s3;
}

using ProjectorValue =
    std::variant<PowerState, InputTerminal, LampHours, Orientation, Temperatures>;

// Every power state once, with the token that names it to scripts and metrics; the three
// temperature-abnormality replies share one state, so a list of states has no repeats.
struct PowerStateRow {
    PowerState state;
    std::string_view token;
};

inline constexpr PowerStateRow kPowerStates[] = {
    {PowerState::On, "on"},
    {PowerState::Standby, "standby"},
    {PowerState::CountDown, "countdown"},
    {PowerState::Cooling, "cooling"},
    {PowerState::PowerAbnormality, "power-abnormality"},
    {PowerState::TemperatureAbnormality, "temperature-abnormality"},
    {PowerState::KeyInputProhibition, "key-input-prohibition"},
    {PowerState::PowerManagementCooling, "power-management-cooling"},
    {PowerState::PowerManagement, "power-management"},
};

struct OrientationRow {
    Orientation orientation;
    std::string_view token;
};

inline constexpr OrientationRow kOrientations[] = {
    {Orientation::Normal, "normal"},
    {Orientation::TopBottom, "top-bottom"},
    {Orientation::LeftRight, "left-right"},
    {Orientation::TopBottomLeftRight, "top-bottom-left-right"},
};

// `code` is the query ("CR0", "CR1", "CR3", "CR4" or "CR6"); `reply` is the characters before
// the CR that ends the reply. Nothing for any other code, a reply of another length than the
// query's, a CR within the reply, or other characters where the query's digits belong.
std::optional<ProjectorValue> decodeValue(std::string_view code, std::string_view reply);

std::string_view powerStateToken(PowerState state);          // "on", "standby", ...
std::string_view orientationToken(Orientation orientation);  // "normal", "top-bottom", ...

// The bare value: "123", "on", "2", "top-bottom", "31.0 33.5 30.5".
std::string valueText(const ProjectorValue& value);

// The value as JSON: 123, "on", 2, "top-bottom", {"s1":31.0,"s2":33.5,"s3":30.5}.
std::string valueJson(const ProjectorValue& value);

}  // namespace zoma
