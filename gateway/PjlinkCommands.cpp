// The class 1 commands as one table, each row's get and set, and the power table's verdicts.
#include "gateway/PjlinkCommands.h"

#include <variant>

#include "gateway/PjlinkTables.h"
#include "replies/ProjectorValues.h"

namespace zoma::gateway {

namespace {

using GetPlan = CommandPlan (*)(const Identity& identity, const ProjectorMemory& memory);
using SetPlan = CommandPlan (*)(std::string_view parameter);

CommandPlan answered(std::string_view answer, bool needsLine = false) {
    CommandPlan plan;
    plan.answer = std::string(answer);
    plan.answerNeedsLine = needsLine;
    return plan;
}

CommandPlan reading(std::vector<std::string> reads, ReadAnswer readAnswer) {
    CommandPlan plan;
    plan.reads = std::move(reads);
    plan.readAnswer = readAnswer;
    return plan;
}

CommandPlan setting(std::vector<std::string> codes, bool powerOn = false) {
    CommandPlan plan;
    plan.reads = {"CR0"};
    plan.setCodes = std::move(codes);
    plan.powerOn = powerOn;
    return plan;
}

const PowerRow* powerRowFor(std::string_view reply) {
    const std::optional<ProjectorValue> value = decodeValue("CR0", reply);
    if (!value) return nullptr;
    for (const PowerRow& row : kPowerRows) {
        if (row.state == std::get<PowerState>(*value)) return &row;
    }
    return nullptr;
}

std::string powerAnswer(const std::vector<std::string>& replies, const ProjectorMemory&) {
    const PowerRow* row = powerRowFor(replies.at(0));
    return std::string(row ? row->power : kProjectorFailure);
}

std::string errorStatusAnswer(const std::vector<std::string>& replies, const ProjectorMemory&) {
    const PowerRow* row = powerRowFor(replies.at(0));
    return std::string(row ? row->errorStatus : kProjectorFailure);
}

// "CR3" then "CR0": the hours as a plain number, a space, and whether the lamp is lit.
std::string lampAnswer(const std::vector<std::string>& replies, const ProjectorMemory&) {
    const std::optional<ProjectorValue> hours = decodeValue("CR3", replies.at(0));
    const PowerRow* row = powerRowFor(replies.at(1));
    if (!hours || !row) return std::string(kProjectorFailure);
    return std::to_string(std::get<LampHours>(*hours).hours) + ' ' + std::string(row->lampOn);
}

// The projector names the terminal; which input on it is the gateway's memory, or the
// terminal's first input when none was chosen through the gateway.
std::string inputAnswer(const std::vector<std::string>& replies, const ProjectorMemory& memory) {
    const std::optional<ProjectorValue> value = decodeValue("CR1", replies.at(0));
    if (!value) return std::string(kProjectorFailure);
    const int terminal = std::get<InputTerminal>(*value).number;
    for (const InputRow& input : kInputs) {
        if (input.code == memory.lastInputCode() && input.terminal == terminal) {
            return std::string(input.parameter);
        }
    }
    for (const TerminalDefault& row : kTerminalDefaults) {
        if (row.terminal == terminal) return std::string(row.parameter);
    }
    return std::string(kProjectorFailure);
}

CommandPlan getPower(const Identity&, const ProjectorMemory&) {
    return reading({"CR0"}, powerAnswer);
}

CommandPlan getInput(const Identity&, const ProjectorMemory&) {
    return reading({"CR1"}, inputAnswer);
}

CommandPlan getMute(const Identity&, const ProjectorMemory& memory) {
    for (const MuteState& state : kMuteStates) {
        if (state.video == memory.videoMuted() && state.audio == memory.audioMuted()) {
            return answered(state.answer, true);
        }
    }
    return answered(kProjectorFailure);
}

CommandPlan getErrorStatus(const Identity&, const ProjectorMemory&) {
    return reading({"CR0"}, errorStatusAnswer);
}

CommandPlan getLamp(const Identity&, const ProjectorMemory&) {
    return reading({"CR3", "CR0"}, lampAnswer);
}

CommandPlan getInputList(const Identity&, const ProjectorMemory&) {
    std::string list;
    for (const InputRow& input : kInputs) {
        if (!list.empty()) list += ' ';
        list += input.parameter;
    }
    return answered(list, true);
}

CommandPlan getName(const Identity& identity, const ProjectorMemory&) {
    return answered(identity.name);
}

CommandPlan getManufacturer(const Identity&, const ProjectorMemory&) {
    return answered(kManufacturer);
}

CommandPlan getModel(const Identity& identity, const ProjectorMemory&) {
    return answered(identity.model);
}

CommandPlan getInfo(const Identity& identity, const ProjectorMemory&) {
    return answered(identity.info);
}

CommandPlan getClass(const Identity&, const ProjectorMemory&) {
    return answered("1");
}

CommandPlan setPower(std::string_view parameter) {
    for (const PowerSetting& row : kPowerSettings) {
        if (row.parameter == parameter) {
            return setting({std::string(row.code)}, row.powerOn);
        }
    }
    return answered(kOutOfParameter);
}

CommandPlan setInput(std::string_view parameter) {
    for (const InputRow& input : kInputs) {
        if (input.parameter == parameter) return setting({std::string(input.code)});
    }
    return answered(kOutOfParameter);
}

CommandPlan setMute(std::string_view parameter) {
    for (const MuteSetting& row : kMuteSettings) {
        if (row.parameter != parameter) continue;
        std::vector<std::string> codes;
        for (std::string_view code : row.codes) {
            if (!code.empty()) codes.emplace_back(code);
        }
        return setting(std::move(codes));
    }
    return answered(kOutOfParameter);
}

// Every class 1 command: its get (the parameter "?"), and its set, or none.
struct CommandRow {
    std::string_view body;
    GetPlan get;
    SetPlan set;
};

constexpr CommandRow kCommands[] = {
    {"POWR", getPower, setPower}, {"INPT", getInput, setInput},
    {"AVMT", getMute, setMute},   {"ERST", getErrorStatus, nullptr},
    {"LAMP", getLamp, nullptr},   {"INST", getInputList, nullptr},
    {"NAME", getName, nullptr},   {"INF1", getManufacturer, nullptr},
    {"INF2", getModel, nullptr},  {"INFO", getInfo, nullptr},
    {"CLSS", getClass, nullptr},
};

}  // namespace

CommandPlan planCommand(const PjlinkCommand& command, const Identity& identity,
                        const ProjectorMemory& memory) {
    if (command.classDigit != '1') return answered(kUndefinedCommand);
    const CommandRow* row = nullptr;
    for (const CommandRow& candidate : kCommands) {
        if (candidate.body == command.body) row = &candidate;
    }
    if (row == nullptr) return answered(kUndefinedCommand);
    if (!command.separated || command.parameter.size() > kMaxParameterLength) {
        return answered(kOutOfParameter);
    }
    if (command.parameter == "?") return row->get(identity, memory);
    return row->set ? row->set(command.parameter) : answered(kOutOfParameter);
}

std::optional<std::string_view> setRefusal(const CommandPlan& plan, std::string_view powerReply) {
    const PowerRow* row = powerRowFor(powerReply);
    if (row == nullptr) return kProjectorFailure;
    switch (row->sets) {
        case SetRule::Accepted:
            return std::nullopt;
        case SetRule::PowerOnOnly:
            if (plan.powerOn) return std::nullopt;
            return kUnavailableTime;
        case SetRule::Unavailable:
            return kUnavailableTime;
        case SetRule::Failure:
            return kProjectorFailure;
    }
    return kProjectorFailure;
}

std::string_view failureAnswer(Outcome outcome) {
    return outcome == Outcome::Refused || outcome == Outcome::QueueFull ? kUnavailableTime
                                                                        : kProjectorFailure;
}

}  // namespace zoma::gateway
