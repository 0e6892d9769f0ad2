// PJLink command lines of any bytes: taken apart as their characters say, and every answer
// known without the projector fits a response line.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "gateway/PjlinkCommands.h"
#include "gateway/PjlinkLine.h"
#include "gateway/ProjectorMemory.h"

namespace {

using namespace zoma::gateway;

// The class 1 commands of PJLink 1.00, as it writes them.
constexpr std::string_view kClassOneCommands[] = {"POWR", "INPT", "AVMT", "ERST", "LAMP", "INST",
                                                  "NAME", "INF1", "INF2", "INFO", "CLSS"};

bool isClassOneCommand(std::string_view body) {
    for (std::string_view command : kClassOneCommands) {
        if (command == body) return true;
    }
    return false;
}

bool isReadOut(const std::string& code) {
    return code == "CR0" || code == "CR1" || code == "CR3";
}

}  // namespace

// The input is the line without its CR (a CR inside is only more bytes to the parser). Its
// last byte also picks the memory's input and mutes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const std::optional<PjlinkCommand> command = parsePjlinkCommand(line);
    const bool answerable = size >= 6 && line[0] == '%';
    ZOMA_FUZZ_CHECK(command.has_value() == answerable);
    if (!command) return 0;

    ZOMA_FUZZ_CHECK(command->classDigit == line[1]);
    ZOMA_FUZZ_CHECK(command->body == line.substr(2, 4));
    const bool separated = size > 6 && line[6] == ' ';
    ZOMA_FUZZ_CHECK(command->separated == separated);
    ZOMA_FUZZ_CHECK(command->parameter == (separated ? line.substr(7) : std::string_view()));
    ZOMA_FUZZ_CHECK(responseLine(*command, "OK") == "%" + std::string(line.substr(1, 5)) + "=OK\r");

    ProjectorMemory memory;
    constexpr std::string_view kCodes[] = {"C05", "C25", "C24", "C0D", "C0B", "C0E", "C00"};
    for (std::size_t i = 0; i < 7; ++i) {
        if (data[size - 1] & (1u << i)) memory.noteAcknowledged(kCodes[i]);
    }
    const Identity identity{"LT540", "LT540", "zoma-gateway"};
    const CommandPlan plan = planCommand(*command, identity, memory);

    const bool classOne = line[1] == '1' && isClassOneCommand(command->body);
    if (!classOne) {
        ZOMA_FUZZ_CHECK(plan.answer && *plan.answer == "ERR1");
        return 0;
    }
    if (!separated || command->parameter.size() > 128) {
        ZOMA_FUZZ_CHECK(plan.answer && *plan.answer == "ERR2");
        return 0;
    }
    if (plan.answer) {
        // What the gateway answers alone fits a response line.
        ZOMA_FUZZ_CHECK(plan.answer->size() <= 128);
        ZOMA_FUZZ_CHECK(plan.answer->find('\r') == std::string::npos);
        ZOMA_FUZZ_CHECK(plan.reads.empty() && plan.setCodes.empty());
        return 0;
    }
    // Only a get ("?") or a set with a parameter of the command's own reads the projector,
    // and only with the read-outs; a set reads the power state first.
    ZOMA_FUZZ_CHECK(!plan.reads.empty());
    for (const std::string& code : plan.reads) ZOMA_FUZZ_CHECK(isReadOut(code));
    if (command->parameter == "?") {
        ZOMA_FUZZ_CHECK(plan.setCodes.empty() && plan.readAnswer != nullptr);
    } else {
        ZOMA_FUZZ_CHECK(plan.reads.size() == 1 && plan.reads[0] == "CR0");
        ZOMA_FUZZ_CHECK(plan.setCodes.size() == 1 || plan.setCodes.size() == 2);
        const std::string_view body = command->body;
        ZOMA_FUZZ_CHECK(body == "POWR" || body == "INPT" || body == "AVMT");
        ZOMA_FUZZ_CHECK(command->parameter.size() <= 2);
    }
    return 0;
}
