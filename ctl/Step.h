// One command of a zoma-ctl run as it goes on the line, and what came of it.
#pragma once

#include <string>

namespace zoma::ctl {

// What a command's frame is answered with.
enum class Answer {
    // ACK, or NAK for a refusal.
    Acknowledgement,
    // Characters up to a CR, decoded into the words of the panel's status line.
    ReadOut,
};

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
    bool ok = false;
};

}  // namespace zoma::ctl
