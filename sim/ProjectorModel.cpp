// Power phases, selections and the reply text of the read-out queries.
#include "sim/ProjectorModel.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace zoma::sim {

namespace {

constexpr Millis kMsPerHour = 3600 * 1000;
constexpr int kMaxLampHours = 9999;

// Readings in tenths of a degree for each heat level: intake, lamp, exhaust.
struct Readings {
    Heat heat;
    int tenths[3];
};

constexpr Readings kReadings[] = {
    {Heat::Cold, {245, 250, 235}},
    {Heat::Warm, {310, 335, 305}},
    {Heat::Hot, {385, 450, 410}},
    {Heat::Overheated, {685, 720, 660}},
};

// "+38.5": sign, two digits, point, tenth; clamped to what five characters can hold.
std::string formatReading(int tenths) {
    tenths = std::clamp(tenths, -999, 999);
    char text[16];
    std::snprintf(text, sizeof text, "%c%02d.%d", tenths < 0 ? '-' : '+', std::abs(tenths) / 10,
                  std::abs(tenths) % 10);
    return text;
}

std::string withCr(std::string_view text) {
    std::string reply(text);
    reply += kCr;
    return reply;
}

}  // namespace

ProjectorModel::ProjectorModel(const ModelSettings& settings, Millis now)
    : settings_(settings),
      power_(settings.startState),
      phaseStart_(now),
      orientation_(settings.orientation) {
    settings_.lampHours = std::clamp(settings_.lampHours, 0, kMaxLampHours);
}

void ProjectorModel::enter(PowerState state, Millis now) {
    if (power_ == PowerState::On) lampOnMs_ += now - phaseStart_;
    power_ = state;
    phaseStart_ = now;
}

std::optional<Millis> ProjectorModel::phaseEnd() const {
    switch (power_) {
        case PowerState::CountDown:
            return phaseStart_ + settings_.countDownMs;
        case PowerState::Cooling:
        case PowerState::PowerManagementCooling:
            return phaseStart_ + settings_.coolingMs;
        default:
            return std::nullopt;
    }
}

bool ProjectorModel::advance(Millis now) {
    const std::optional<Millis> end = phaseEnd();
    if (!end || now < *end) return false;
    // The next state starts when the phase was due, not when someone noticed.
    switch (power_) {
        case PowerState::CountDown:
            enter(PowerState::On, *end);
            break;
        case PowerState::Cooling:
            enter(PowerState::Standby, *end);
            break;
        default:
            enter(PowerState::PowerManagement, *end);
            break;
    }
    return true;
}

int ProjectorModel::lampHours(Millis now) const {
    Millis onMs = lampOnMs_;
    if (power_ == PowerState::On) onMs += now - phaseStart_;
    const Millis hours = settings_.lampHours + onMs / kMsPerHour;
    return static_cast<int>(std::min<Millis>(hours, kMaxLampHours));
}

std::string ProjectorModel::temperatureReply() const {
    const Heat heat = powerRow(power_).heat;
    const Readings* readings = &kReadings[0];
    for (const Readings& row : kReadings) {
        if (row.heat == heat) readings = &row;
    }
    return formatReading(readings->tenths[0]) + ' ' + formatReading(readings->tenths[1]) + ' ' +
           formatReading(readings->tenths[2]);
}

std::string ProjectorModel::answer(std::string_view code, Millis now) {
    advance(now);
    const std::optional<CodeRow> row = findCode(code);
    if (!row) return std::string(1, kNak);

    switch (row->action) {
        case Action::PowerOn:
            if (power_ == PowerState::Standby || power_ == PowerState::PowerManagement) {
                enter(PowerState::CountDown, now);
            }
            break;
        case Action::PowerOff:
            if (power_ == PowerState::On) {
                enter(PowerState::Cooling, now);
            } else if (power_ == PowerState::PowerManagement) {
                enter(PowerState::Standby, now);
            }
            break;
        case Action::SelectInput1:
            input_ = 1;
            break;
        case Action::SelectInput2:
            input_ = 2;
            break;
        case Action::SelectInput3:
            input_ = 3;
            break;
        case Action::AudioMuteOn:
        case Action::AudioMuteOff:
            audioMute_ = row->action == Action::AudioMuteOn;
            break;
        case Action::NoShowOn:
        case Action::NoShowOff:
            noShow_ = row->action == Action::NoShowOn;
            break;
        case Action::FreezeOn:
        case Action::FreezeOff:
            freeze_ = row->action == Action::FreezeOn;
            break;
        case Action::AcknowledgeOnly:
            break;
        case Action::QueryPower:
            return withCr(powerRow(power_).reply);
        case Action::QueryInput:
            return withCr(std::string(1, static_cast<char>('0' + input_ - 1)));
        case Action::QueryLampHours: {
            char digits[16];
            std::snprintf(digits, sizeof digits, "%04d", lampHours(now));
            return withCr(digits);
        }
        case Action::QueryOrientation:
            return withCr(orientationRow(orientation_).reply);
        case Action::QueryTemperatures:
            return withCr(temperatureReply());
    }
    return std::string(1, kAck);
}

}  // namespace zoma::sim
