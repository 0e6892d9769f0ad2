// What the gateway does for each PJLink class 1 command: answer it at once, or read the
// projector, and for a set, send its frames when the power state lets them have an effect.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gateway/PjlinkLine.h"
#include "gateway/ProjectorMemory.h"
#include "queue/Request.h"

namespace zoma::gateway {

// INF1 ?: the maker is not the gateway's to configure.
inline constexpr std::string_view kManufacturer = "ZOMA";

// The gateway's own answers: NAME ?, INF2 ? and INFO ?.
struct Identity {
    std::string name;
    std::string model;
    std::string info;
};

// Makes a get's answer from the replies to its read-outs, in order ("ERR4" when one of them is
// not what the projector sends).
using ReadAnswer = std::string (*)(const std::vector<std::string>& replies,
                                   const ProjectorMemory& memory);

struct CommandPlan {
    // Known without the projector: an error of the line itself, or the gateway's own answer.
    std::optional<std::string> answer;
    // The answer comes from the gateway's memory of the projector, which stands only while the
    // line is up: ERR4 while it is down.
    bool answerNeedsLine = false;
    // Read-outs, sent as one request. A get's answer is readAnswer(their replies); a set's one
    // read-out is "CR0", which decides whether its frames go.
    std::vector<std::string> reads;
    ReadAnswer readAnswer = nullptr;
    // A set's frames, one request that follows its "CR0" read at once.
    std::vector<std::string> setCodes;
    // POWR 1: the one set that standby takes.
    bool powerOn = false;
};

// ERR1 for a class other than "1" or a command that class 1 does not define (the commands are
// matched as PJLink 1.00 writes them, in upper case); ERR2 for a missing separator, a
// parameter longer than 128 characters, or a parameter the command does not take ("?" alone
// for the get-only commands).
CommandPlan planCommand(const PjlinkCommand& command, const Identity& identity,
                        const ProjectorMemory& memory);

// From a set's "CR0" reply: ERR3 or ERR4 when the power table keeps its frames back, nothing
// when they go.
std::optional<std::string_view> setRefusal(const CommandPlan& plan, std::string_view powerReply);

// The answer of a request that did not end with every reply: a NAK or a full queue is ERR3 (the
// projector or the line cannot take it now), silence, garbage or a lost line ERR4.
std::string_view failureAnswer(Outcome outcome);

}  // namespace zoma::gateway
