// The input and mutes last acknowledged, read from the gateway's tables.
#include "gateway/ProjectorMemory.h"

#include "gateway/PjlinkTables.h"

namespace zoma::gateway {

void ProjectorMemory::noteAcknowledged(std::string_view code) {
    for (const InputRow& input : kInputs) {
        if (input.code == code) lastInputCode_ = std::string(code);
    }
    for (const MuteCode& mute : kMuteCodes) {
        if (mute.code != code) continue;
        (mute.mute == Mute::Video ? videoMuted_ : audioMuted_) = mute.on;
    }
}

}  // namespace zoma::gateway
