// What zoma-ctl prints for a result, and the exit statuses it ends with.
#pragma once

#include <cstddef>
#include <string>

#include "ctl/Step.h"

namespace zoma::ctl {

enum ExitStatus : int {
    kAllAnswered = 0,
    // A command was refused, not answered, or answered with something that decodes to nothing.
    kNotAllAnswered = 1,
    kUsageError = 2,
    kPortUnavailable = 3,
};

enum class OutputForm {
    // The bare words, for a run of one result: $(zoma-ctl lamp-time).
    Words,
    // "status: Stand by", for a run of several results.
    NamedWords,
    // A read-out's bare value ("123"), an operation's "ok", "refused" or "no reply".
    Value,
    // "lamp-time: 123", for a run of several results.
    NamedValue,
    Json,
};

// The form for a run: JSON or values when asked, the command's name first when it prints more
// than one result.
OutputForm outputForm(bool json, bool value, std::size_t results);

// The line printed for a result, without its newline.
std::string resultLine(const Result& result, OutputForm form);

}  // namespace zoma::ctl
