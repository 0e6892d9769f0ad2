// What the gateway remembers of the projector that the projector cannot be asked: the input
// last chosen and the mutes last set, through the gateway, by any client.
#pragma once

#include <string>
#include <string_view>

namespace zoma::gateway {

// The projector reports its input terminal but not which input on it, and has no read-out for
// its mutes. Before any mute code went through the gateway both mutes are taken as off: that is
// the projector's state after power-on, and the gateway cannot know better.
class ProjectorMemory {
  public:
    // A code the projector acknowledged; codes that are neither inputs nor mutes are ignored.
    void noteAcknowledged(std::string_view code);

    // The code of the input last chosen ("C25"), empty before any.
    const std::string& lastInputCode() const { return lastInputCode_; }
    bool videoMuted() const { return videoMuted_; }
    bool audioMuted() const { return audioMuted_; }

  private:
    std::string lastInputCode_;
    bool videoMuted_ = false;
    bool audioMuted_ = false;
};

}  // namespace zoma::gateway
