// zoma-ctl's commands: the names of the panel's command tables, raw codes and read-all.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ctl/Step.h"

namespace zoma::ctl {

// The steps of a run, or the usage error that stops it before anything is sent.
struct Plan {
    std::vector<Step> steps;
    std::string error;
};

// Turns the command words into steps, in order. `repeat` is --repeat's count, 0 when not given;
// it applies to every command, and each of them must then be a held button.
Plan planSteps(const std::vector<std::string>& words, int repeat);

// "C" and two upper-case hexadecimal digits, or "CR" and a digit.
bool isRawCode(std::string_view word);

// Every command name with its code and what it does, one per line, for --list.
std::string commandList();

}  // namespace zoma::ctl
