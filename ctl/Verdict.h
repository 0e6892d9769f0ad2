// When a command's reply is complete and what it says.
#pragma once

#include <string_view>

#include "ctl/Step.h"

namespace zoma::ctl {

// True as soon as waiting longer cannot change the result: every frame sent has its ACK or NAK,
// or a read-out's reply has reached its CR (or was refused with NAK).
bool replyComplete(const Step& step, int framesSent, std::string_view received);

// The result of a step from everything received since its first frame, complete or not;
// `overLong` when more came than a reply can hold and only its start was kept.
Result verdict(const Step& step, std::string_view received, bool overLong = false);

}  // namespace zoma::ctl
