// zoma-panel from its command line to the end of its event loop, for the program and its probe.
#pragma once

#include <functional>

namespace zoma {

class Form1Window;

// What a caller may add to the program's own start. The program adds nothing; the start-up
// benchmark watches the window to end the run at its first paint.
struct PanelStartHooks {
    // Called with the loaded window just before it is shown.
    std::function<void(Form1Window& window)> beforeShow;
};

// Everything zoma-panel's main() does: the options (with --help, --version and their errors),
// the display check, the settings file and the ports' devices, the application object, the
// fonts, the key repeats, the panel, the stop signals, Form_Load, the window shown and the
// event loop. Returns the program's exit status.
int runPanel(int argc, char* argv[], const PanelStartHooks& hooks = {});

}  // namespace zoma
