// The program's one assembly: main() calls it, and so does the start-up probe, so the figures
// are the program's own.
#include "app/PanelStart.h"

#include <QApplication>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/NoDisplay.h"
#include "app/PanelOptions.h"
#include "platform/qt/StopSignals.h"
#include "window/Fonts.h"
#include "window/KeyRepeat.h"
#include "window/Panel.h"

namespace zoma {

namespace {

// The desktop entry's name, so that a Wayland compositor finds the panel's icon and name.
constexpr const char* kDesktopId = "invalid.zoma_panel.ZomaPanel";

// The devices of both ports; what is wrong with the settings file is said once, here.
PortDevices resolveDevices(const PortDevices& options) {
#ifdef _WIN32
    return resolvePortDevices(options);
#else
    const LoadedSettings settings = loadSettings(processEnvironment);
    for (const std::string& warning : settings.warnings) {
        std::fprintf(stderr, "zoma-panel: %s\n", warning.c_str());
    }
    return resolvePortDevices(options, processEnvironment, settings.file);
#endif
}

}  // namespace

int runPanel(int argc, char* argv[], const PanelStartHooks& hooks) {
    // Everything up to the application object works without a display.
    const PanelOptions options = parsePanelOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options.error.empty()) {
        std::fprintf(stderr, "zoma-panel: %s (try --help)\n", options.error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(panelHelpText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::puts(ZOMA_VERSION);
        return 0;
    }
    if (const std::string missing = missingDisplayText(options.platformGiven); !missing.empty()) {
        std::fputs(missing.c_str(), stderr);
        return 1;
    }
    const PortDevices devices = resolveDevices(options.devices);

    // Qt sees its own options only. The application object keeps argc and argv for its
    // lifetime, so they live as long as this function.
    std::vector<std::string> qtArguments = {argv[0]};
    qtArguments.insert(qtArguments.end(), options.qtArguments.begin(), options.qtArguments.end());
    std::vector<char*> qtArgv;
    for (std::string& argument : qtArguments) qtArgv.push_back(argument.data());
    qtArgv.push_back(nullptr);
    int qtArgc = static_cast<int>(qtArguments.size());
    std::unique_ptr<QApplication> app;
    {
        const DisplayWatch watch;
        app = std::make_unique<QApplication>(qtArgc, qtArgv.data());
    }
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    installFontSubstitutes();
    // Space held on a held button must look held to the end, repeats and all.
    reportKeyRepeatsAsPresses();

    Panel<> panel;
    // Stopped by a service manager, Ctrl+C or a closed terminal, the panel still closes its port
    // the normal way, so the line's settings are put back, and ends by the same signal.
    const StopSignals stopSignals([&panel](int signalNumber) {
        panel.port.close();
        endBySignal(signalNumber);
    });
    panel.port.setDevices(devices);
    panel.form.Form_Load();
    if (hooks.beforeShow) hooks.beforeShow(panel.window);
    panel.window.show();
    const int status = app->exec();
    // Closing the window by other means than END still leaves the line closed.
    panel.port.close();
    return status;
}

}  // namespace zoma
