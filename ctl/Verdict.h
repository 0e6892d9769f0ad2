// What a command's request on the line came to, in zoma-ctl's words.
#pragma once

#include <string_view>

#include "ctl/Step.h"
#include "queue/Request.h"

namespace zoma::ctl {

// The result of a step from everything received for it, complete or not; `overLong` when more
// came than a reply can hold and only its start was kept.
Result verdict(const Step& step, std::string_view received, bool overLong = false);

// The result of a step from its request's result: a request that never went on the line was not
// sent.
Result verdict(const Step& step, const RequestResult& request);

}  // namespace zoma::ctl
