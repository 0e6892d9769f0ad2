// zoma-ctl's command line: the line to use, how long to wait, the output form and the commands.
#pragma once

#include <string>
#include <vector>

#include "commands/CommandTables.h"

namespace zoma::ctl {

struct CtlOptions {
    // "COM1", "COM2" or a device path.
    std::string port = "COM1";
    int speed = 19200;
    // The panel's reply window.
    int timeoutMs = kReplyWindowInterval;
    // 0 when --repeat is not given.
    int repeat = 0;
    bool json = false;
    // A read-out's bare value ("123") instead of its words.
    bool value = false;
    bool list = false;
    bool help = false;
    bool version = false;
    // The command words, in order.
    std::vector<std::string> commands;
    // A usage error, naming the option or value at fault; empty when the line is good.
    std::string error;
};

// Options and commands may stand in any order; options take their value as the next argument
// or after '='.
CtlOptions parseCtlOptions(const std::vector<std::string>& arguments);

std::string ctlHelp();

}  // namespace zoma::ctl
