// One command of a zoma-ctl run as it goes on the line, and what came of it.
#pragma once

#include <optional>
#include <string>

#include "queue/Request.h"
#include "replies/ProjectorValues.h"

namespace zoma::ctl {

struct Step {
    // As named on the command line: "power-off", "status", "C1E".
    std::string command;
    // Three characters; each frame is the code and CR.
    std::string code;
    Answer answer = Answer::Acknowledgement;
    // More than one only for a held button with --repeat.
    int frames = 1;
    // Between two frames: the held button's repeat period.
    int periodMs = 0;
};

struct Result {
    std::string command;
    std::string code;
    // The characters as received, without the CR that ends a read-out's reply.
    std::string reply;
    // "ok", "refused", "no reply", or a read-out's words ("Stand by").
    std::string words;
    // A read-out's reply as a typed value, when it holds one.
    std::optional<ProjectorValue> value;
    // An operation acknowledged, or a read-out with a value.
    bool ok = false;
    // Whether the command is a read-out, whose value --value prints.
    bool readOut = false;
};

}  // namespace zoma::ctl
