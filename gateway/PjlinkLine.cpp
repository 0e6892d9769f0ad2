// PJLink 1.00 command lines taken apart, and the lines the gateway sends back.
#include "gateway/PjlinkLine.h"

namespace zoma::gateway {

namespace {

constexpr std::size_t kHeaderLength = 6;  // "%", the class and the four-character command

}  // namespace

std::optional<PjlinkCommand> parsePjlinkCommand(std::string_view line) {
    if (line.size() < kHeaderLength || line[0] != '%') return std::nullopt;
    PjlinkCommand command;
    command.classDigit = line[1];
    command.body = std::string(line.substr(2, 4));
    const std::string_view rest = line.substr(kHeaderLength);
    command.separated = !rest.empty() && rest[0] == ' ';
    if (command.separated) command.parameter = std::string(rest.substr(1));
    return command;
}

std::string responseLine(const PjlinkCommand& command, std::string_view parameter) {
    std::string line = "%";
    line += command.classDigit;
    line += command.body;
    line += '=';
    line += parameter;
    line += '\r';
    return line;
}

std::string greetingLine(const std::optional<std::string>& random) {
    return random ? "PJLINK 1 " + *random + '\r' : std::string("PJLINK 0\r");
}

}  // namespace zoma::gateway
