// The projector's vocabulary: command codes, power states and orientations with their reply text.
#pragma once

#include <optional>
#include <string_view>

namespace zoma::sim {

constexpr char kAck = 6;
constexpr char kNak = 21;
constexpr char kCr = 13;
constexpr char kLf = 10;

// What a command code does to the projector.
enum class Action {
    PowerOn,
    PowerOff,
    SelectInput1,
    SelectInput2,
    SelectInput3,
    AudioMuteOn,
    AudioMuteOff,
    NoShowOn,
    NoShowOff,
    FreezeOn,
    FreezeOff,
    AcknowledgeOnly,  // menu, lens, zoom, volume, keystone...: no state is kept for them
    QueryPower,
    QueryInput,
    QueryLampHours,
    QueryOrientation,
    QueryTemperatures,
};

struct CodeRow {
    std::string_view code;
    Action action;
    std::string_view meaning;  // for the log
};

inline constexpr CodeRow kCodeRows[] = {
    {"C00", Action::PowerOn, "power on"},
    {"C02", Action::PowerOff, "power off"},
    {"C05", Action::SelectInput1, "input 1 analog"},
    {"C22", Action::SelectInput1, "input 1 digital"},
    {"C06", Action::SelectInput2, "input 2 RGB"},
    {"C07", Action::SelectInput2, "input 2 video"},
    {"C25", Action::SelectInput2, "input 2 component"},
    {"C08", Action::SelectInput3, "input 3 video"},
    {"C24", Action::SelectInput3, "input 3 S-video"},
    {"C26", Action::SelectInput3, "input 3 component"},
    {"C0B", Action::AudioMuteOn, "audio mute on"},
    {"C0C", Action::AudioMuteOff, "audio mute off"},
    {"C0D", Action::NoShowOn, "no show on"},
    {"C0E", Action::NoShowOff, "no show off"},
    {"C43", Action::FreezeOn, "freeze on"},
    {"C44", Action::FreezeOff, "freeze off"},
    {"C01", Action::AcknowledgeOnly, "C01"},
    {"C09", Action::AcknowledgeOnly, "volume +"},
    {"C0A", Action::AcknowledgeOnly, "volume -"},
    {"C0F", Action::AcknowledgeOnly, "video image normal"},
    {"C10", Action::AcknowledgeOnly, "video image wide"},
    {"C1C", Action::AcknowledgeOnly, "menu on"},
    {"C1D", Action::AcknowledgeOnly, "menu off"},
    {"C1E", Action::AcknowledgeOnly, "display clear"},
    {"C27", Action::AcknowledgeOnly, "image"},
    {"C30", Action::AcknowledgeOnly, "digital zoom +"},
    {"C31", Action::AcknowledgeOnly, "digital zoom -"},
    {"C3A", Action::AcknowledgeOnly, "pad right"},
    {"C3B", Action::AcknowledgeOnly, "pad left"},
    {"C3C", Action::AcknowledgeOnly, "pad up"},
    {"C3D", Action::AcknowledgeOnly, "pad down"},
    {"C3E", Action::AcknowledgeOnly, "right click"},
    {"C3F", Action::AcknowledgeOnly, "select"},
    {"C46", Action::AcknowledgeOnly, "zoom -"},
    {"C47", Action::AcknowledgeOnly, "zoom +"},
    {"C4A", Action::AcknowledgeOnly, "focus -"},
    {"C4B", Action::AcknowledgeOnly, "focus +"},
    {"C5D", Action::AcknowledgeOnly, "lens shift up"},
    {"C5E", Action::AcknowledgeOnly, "lens shift down"},
    {"C80", Action::AcknowledgeOnly, "zoom mode"},
    {"C87", Action::AcknowledgeOnly, "focus mode"},
    {"C88", Action::AcknowledgeOnly, "lens shift mode"},
    {"C89", Action::AcknowledgeOnly, "auto image"},
    {"C8A", Action::AcknowledgeOnly, "presentation timer"},
    {"C8E", Action::AcknowledgeOnly, "keystone +"},
    {"C8F", Action::AcknowledgeOnly, "keystone -"},
    {"CR0", Action::QueryPower, "power state query"},
    {"CR1", Action::QueryInput, "input query"},
    {"CR3", Action::QueryLampHours, "lamp hours query"},
    {"CR4", Action::QueryOrientation, "orientation query"},
    {"CR6", Action::QueryTemperatures, "temperature query"},
};

// Looks a three-character code up; nothing for a code the projector does not know.
std::optional<CodeRow> findCode(std::string_view code);

enum class PowerState {
    Standby,
    CountDown,
    On,
    Cooling,
    PowerAbnormality,
    TemperatureAbnormality,    // "28"
    TemperatureAbnormality08,  // "08"
    TemperatureAbnormality88,  // "88"
    KeyProhibited,
    PowerManagementCooling,
    PowerManagement,
};

// How warm the inside of the projector is in a power state; picks the temperature readings.
enum class Heat { Cold, Warm, Hot, Overheated };

struct PowerRow {
    PowerState state;
    std::string_view name;   // the --state argument
    std::string_view reply;  // the two digits of the "CR0" reply
    Heat heat;
};

inline constexpr PowerRow kPowerRows[] = {
    {PowerState::Standby, "standby", "80", Heat::Cold},
    {PowerState::CountDown, "count-down", "40", Heat::Warm},
    {PowerState::On, "on", "00", Heat::Hot},
    {PowerState::Cooling, "cooling", "20", Heat::Warm},
    {PowerState::PowerAbnormality, "power-abnormality", "10", Heat::Cold},
    {PowerState::TemperatureAbnormality, "temperature-abnormality", "28", Heat::Overheated},
    {PowerState::TemperatureAbnormality08, "temperature-abnormality-08", "08", Heat::Overheated},
    {PowerState::TemperatureAbnormality88, "temperature-abnormality-88", "88", Heat::Overheated},
    {PowerState::KeyProhibited, "key-prohibited", "02", Heat::Hot},
    {PowerState::PowerManagementCooling, "power-management-cooling", "24", Heat::Warm},
    {PowerState::PowerManagement, "power-management", "04", Heat::Cold},
};

const PowerRow& powerRow(PowerState state);
std::optional<PowerState> powerStateNamed(std::string_view name);

enum class Orientation { Normal, TopBottom, LeftRight, Both };

struct OrientationRow {
    Orientation orientation;
    std::string_view name;   // the --orientation argument
    std::string_view reply;  // the two digits of the "CR4" reply
};

inline constexpr OrientationRow kOrientationRows[] = {
    {Orientation::Normal, "normal", "11"},
    {Orientation::TopBottom, "top-bottom", "10"},
    {Orientation::LeftRight, "left-right", "01"},
    {Orientation::Both, "both", "00"},
};

const OrientationRow& orientationRow(Orientation orientation);
std::optional<Orientation> orientationNamed(std::string_view name);

}  // namespace zoma::sim
