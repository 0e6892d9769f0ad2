// The lines of PJLink class 1 (PJLink 1.00): command lines in, response lines and greetings out.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zoma::gateway {

// A command line is the header "%", the class, a four-character command, a space, a parameter
// of at most 128 characters and a CR: at most 136 characters with the CR.
inline constexpr std::size_t kMaxParameterLength = 128;
inline constexpr std::size_t kMaxLineLength = 136;
// The MD5 digest that prefixes the first command line of a connection with a password.
inline constexpr std::size_t kDigestLength = 32;

// The response parameters of PJLink 1.00 besides a get's value.
inline constexpr std::string_view kOk = "OK";
inline constexpr std::string_view kUndefinedCommand = "ERR1";
inline constexpr std::string_view kOutOfParameter = "ERR2";
inline constexpr std::string_view kUnavailableTime = "ERR3";
inline constexpr std::string_view kProjectorFailure = "ERR4";

// A command line taken apart, every part as it was sent; nothing is judged here but the shape
// that lets it be answered.
struct PjlinkCommand {
    char classDigit = 0;
    std::string body;        // the four characters after the class
    bool separated = false;  // a space follows them
    std::string parameter;   // what follows the space, up to the CR
};

// `line` is what came before the CR. Nothing for a line that cannot be answered: one that does
// not start with the header "%", or ends before its four-character command (a response line
// echoes both).
std::optional<PjlinkCommand> parsePjlinkCommand(std::string_view line);

// "%1POWR=OK" and CR: the command's header, class and command as sent, "=", the parameter.
std::string responseLine(const PjlinkCommand& command, std::string_view parameter);

// The first line a connection gets: "PJLINK 0" without a password, "PJLINK 1 " and the
// connection's random number with one.
std::string greetingLine(const std::optional<std::string>& random);
// Sent, before the connection is closed, for a first command whose digest is wrong or missing.
inline constexpr std::string_view kAuthenticationErrorLine = "PJLINK ERRA\r";

}  // namespace zoma::gateway
