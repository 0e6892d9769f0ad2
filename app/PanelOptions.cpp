// Parses zoma-panel's options without the toolkit, so --help, --version and errors need no
// display.
#include "app/PanelOptions.h"

#include <string_view>

namespace zoma {

namespace {

// The command-line options Qt's application objects read themselves, with or without a value.
struct QtOption {
    std::string_view name;
    bool takesValue;
};
constexpr QtOption kQtOptions[] = {
    {"-platform", true},
    {"-platformpluginpath", true},
    {"-platformtheme", true},
    {"-plugin", true},
    {"-qwindowgeometry", true},
    {"-qwindowtitle", true},
    {"-qwindowicon", true},
    {"-display", true},
    {"-geometry", true},
    {"-style", true},
    {"-stylesheet", true},
    {"-session", true},
    {"-name", true},
    {"-reverse", false},
    {"-widgetcount", false},
    {"-nograb", false},
    {"-dograb", false},
    {"-sync", false},
};

// Qt reads its options with one dash or two.
const QtOption* findQtOption(std::string_view name) {
    if (name.rfind("--", 0) == 0) name.remove_prefix(1);
    for (const QtOption& option : kQtOptions) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

}  // namespace

PanelOptions parsePanelOptions(const std::vector<std::string>& arguments) {
    PanelOptions options;
    for (std::size_t i = 0; i < arguments.size() && options.error.empty(); ++i) {
        const std::string& argument = arguments[i];
        const auto equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        if (const QtOption* qt = findQtOption(name)) {
            options.qtArguments.push_back(argument);
            if (qt->takesValue && equals == std::string::npos) {
                if (i + 1 >= arguments.size()) {
                    options.error = "option " + name + " needs a value";
                    continue;
                }
                options.qtArguments.push_back(arguments[++i]);
            }
            if (qt->name == "-platform") options.platformGiven = true;
            continue;
        }
        if (name == "--help" || name == "-h" || name == "--version") {
            if (equals != std::string::npos) {
                options.error = "option " + name + " takes no value";
            } else if (name == "--version") {
                options.version = true;
            } else {
                options.help = true;
            }
            continue;
        }
        if (name != "--com1" && name != "--com2") {
            options.error =
                (argument.rfind('-', 0) == 0 ? "unknown option " : "unexpected argument ") +
                argument;
            continue;
        }
        std::string device;
        if (equals != std::string::npos) {
            device = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            device = arguments[++i];
        }
        if (device.empty()) {
            options.error = "option " + name + " needs a device";
            continue;
        }
        (name == "--com1" ? options.devices.com1 : options.devices.com2) = device;
    }
    return options;
}

std::string panelHelpText() {
    return "Usage: zoma-panel [--com1 DEVICE] [--com2 DEVICE]\n"
           "The remote-control panel of the ZOMA LT540 and LT47 projectors: every button sends\n"
           "its command on the RS-232 line chosen on the panel as COM1 or COM2 (8N1, 19200 or\n"
           "9600 baud; the panel starts on COM1 at 19200).\n"
           "\n"
           "Options:\n"
           "  --com1 DEVICE   the device of COM1, e.g. /dev/ttyUSB0, or tcp://HOST:PORT for\n"
           "                  a serial device server's raw TCP port, e.g. tcp://10.0.0.5:4001\n"
           "  --com2 DEVICE   the device of COM2\n"
           "  --help          this text\n"
           "  --version       the version number\n"
           "Qt's own options (-platform, -display, -style, -reverse ...) are passed on to Qt.\n"
           "\n"
           "Each port's device is the first of:\n"
           "  1. the option --com1 or --com2;\n"
           "  2. the environment variable ZOMA_COM1 or ZOMA_COM2;\n"
           "  3. the key com1 or com2 in $XDG_CONFIG_HOME/zoma/zoma-panel.conf (by default\n"
           "     ~/.config/zoma/zoma-panel.conf): \"key = value\" lines, '#' starts a comment "
           "line;\n"
           "  4. /dev/ttyS0 for COM1, /dev/ttyS1 for COM2.\n"
           "\n"
           "The panel needs a display: a desktop session, \"ssh -X\", or \"xvfb-run zoma-panel\".\n"
           "Exit status: 0 when closed, 1 without a display, 2 for a wrong command line.\n";
}

}  // namespace zoma
