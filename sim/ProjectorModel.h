// The projector's state and its answer to each command code; no I/O, time comes from the caller.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sim/ProjectorCodes.h"
#include "sim/SimTime.h"

namespace zoma::sim {

struct ModelSettings {
    PowerState startState = PowerState::Standby;
    int lampHours = 123;  // 0 to 9999
    Orientation orientation = Orientation::Normal;
    Millis countDownMs = 5000;
    Millis coolingMs = 8000;
};

// One projector. Replies:
//  - operation codes it knows: ACK alone;
//  - codes it does not know (any other three characters, lower case and "CR2" included): NAK
//    alone, so the panel's monitor shows that the frame arrived but was refused;
//  - "CR0": two digits of the power state, then CR;
//  - "CR1": one digit, 0 to 2 for inputs 1 to 3, then CR;
//  - "CR3": four digits of lamp hours, then CR;
//  - "CR4": two digits of the orientation, then CR;
//  - "CR6": three temperatures, then CR (see temperatureReply()).
//
// Power: "C00" takes stand-by (and power management) to count down, which becomes on when its
// phase ends; "C02" takes on to cooling down, which becomes stand-by when its phase ends (power
// management cooling becomes power management). In every other state the power codes are
// acknowledged and change nothing, as the real set ignores them while its lamp is changing state
// or while it reports an abnormality. Inputs, mute, no show and freeze change in every state.
class ProjectorModel {
  public:
    ProjectorModel(const ModelSettings& settings, Millis now);

    // Acts on one frame's code and returns the bytes to send back.
    std::string answer(std::string_view code, Millis now);

    // Ends a count-down or cooling phase that is due. True when the power state changed.
    bool advance(Millis now);

    // When the current phase ends, if a phase is running.
    std::optional<Millis> phaseEnd() const;

    PowerState power() const { return power_; }
    int input() const { return input_; }  // 1 to 3
    bool audioMute() const { return audioMute_; }
    bool noShow() const { return noShow_; }
    bool freeze() const { return freeze_; }
    Orientation orientation() const { return orientation_; }
    // Whole hours, counting the time the lamp has been on since the start; at most 9999.
    int lampHours(Millis now) const;

    // The 17 characters of the "CR6" reply, without CR: three readings in degrees Celsius, each
    // a sign, two digits, a point and a tenth ("+38.5"), separated by single spaces:
    //   "+38.5 +45.0 +41.0"
    //    12345678901234567
    // The panel shows positions 1-5, 8-11 and 13-17, so it drops the sign of the second reading.
    std::string temperatureReply() const;

  private:
    void enter(PowerState state, Millis now);

    ModelSettings settings_;
    PowerState power_;
    Millis phaseStart_;
    int input_ = 1;
    bool audioMute_ = false;
    bool noShow_ = false;
    bool freeze_ = false;
    Orientation orientation_;
    Millis lampOnMs_ = 0;  // lamp time of finished "on" periods
};

}  // namespace zoma::sim
