// zoma-panel's command line: the two port devices, --help and --version.
#pragma once

#include <string>
#include <vector>

#include "platform/PortNaming.h"

namespace zoma {

struct PanelOptions {
    PortDevices devices;  // --com1 and --com2; empty where not given
    bool help = false;
    bool version = false;
    std::string error;  // one line saying what is wrong; the program then exits with 2
};

// The arguments after the program's name. Options take their value as the next argument or
// after '='; a later option wins over an earlier one.
PanelOptions parsePanelOptions(const std::vector<std::string>& arguments);

std::string panelHelpText();

}  // namespace zoma
