// zoma-panel's command line: the two port devices, --help and --version.
#pragma once

#include <string>
#include <vector>

#include "platform/PortNaming.h"

namespace zoma {

struct PanelOptions {
    PortDevices devices;  // --com1 and --com2; empty where not given
    // Qt's own options (-platform xcb, -style fusion, -reverse ...) with their values, in the
    // order given, for the application object.
    std::vector<std::string> qtArguments;
    // Whether -platform names the windowing platform, so no display needs to be named.
    bool platformGiven = false;
    bool help = false;
    bool version = false;
    std::string error;  // one line saying what is wrong; the program then exits with 2
};

// The arguments after the program's name. The panel's options take their value as the next
// argument or after '='; a later option wins over an earlier one. Qt's own options are kept for
// Qt, as every Qt program takes them.
PanelOptions parsePanelOptions(const std::vector<std::string>& arguments);

std::string panelHelpText();

}  // namespace zoma
