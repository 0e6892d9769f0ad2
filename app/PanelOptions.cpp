// zoma-panel's options as one table, read by the shared command-line parser without the toolkit,
// so --help, --version and faults need no display.
#include "app/PanelOptions.h"

#include "platform/CommandLine.h"

namespace zoma {

namespace {

bool setCom1(PanelOptions& o, const std::string& device) {
    o.devices.com1 = device;
    return !device.empty();
}

bool setCom2(PanelOptions& o, const std::string& device) {
    o.devices.com2 = device;
    return !device.empty();
}

// -platform names the windowing platform, so no display needs to be named.
bool notePlatform(PanelOptions& o, const std::string&) {
    o.platformGiven = true;
    return true;
}

// The help's descriptions start past the widest "  --com1 DEVICE".
constexpr std::size_t kHelpColumn = 18;

// The panel's own options, then the options Qt's application objects read themselves.
// clang-format off
constexpr OptionRow<PanelOptions> kOptions[] = {
    {"--com1", OptionKind::Value, "DEVICE", setCom1,
        "the device of COM1, e.g. /dev/ttyUSB0, or tcp://HOST:PORT for\n"
        "a serial device server's raw TCP port, e.g. tcp://10.0.0.5:4001\n"},
    {"--com2", OptionKind::Value, "DEVICE", setCom2,
        "the device of COM2\n"},
    {"--help", OptionKind::Flag, "", setFlag<&PanelOptions::help>,
        "this text\n"},
    {"-h", OptionKind::Flag, "", setFlag<&PanelOptions::help>},
    {"--version", OptionKind::Flag, "", setFlag<&PanelOptions::version>,
        "the version number\n"},
    {"-platform", OptionKind::PassOnValue, "", notePlatform},
    {"-platformpluginpath", OptionKind::PassOnValue},
    {"-platformtheme", OptionKind::PassOnValue},
    {"-plugin", OptionKind::PassOnValue},
    {"-qwindowgeometry", OptionKind::PassOnValue},
    {"-qwindowtitle", OptionKind::PassOnValue},
    {"-qwindowicon", OptionKind::PassOnValue},
    {"-display", OptionKind::PassOnValue},
    {"-geometry", OptionKind::PassOnValue},
    {"-style", OptionKind::PassOnValue},
    {"-stylesheet", OptionKind::PassOnValue},
    {"-session", OptionKind::PassOnValue},
    {"-name", OptionKind::PassOnValue},
    {"-reverse", OptionKind::PassOnFlag},
    {"-widgetcount", OptionKind::PassOnFlag},
    {"-nograb", OptionKind::PassOnFlag},
    {"-dograb", OptionKind::PassOnFlag},
    {"-sync", OptionKind::PassOnFlag},
};
// clang-format on

}  // namespace

PanelOptions parsePanelOptions(const std::vector<std::string>& arguments) {
    PanelOptions options;
    CommandLine line = parseCommandLine(kOptions, arguments, options);
    options.qtArguments = std::move(line.passedOn);
    options.error = std::move(line.error);
    return options;
}

std::string panelHelpText() {
    // clang-format off
    return "Usage: zoma-panel [--com1 DEVICE] [--com2 DEVICE]\n"
           "The remote-control panel of the ZOMA LT540 and LT47 projectors: every button sends\n"
           "its command on the RS-232 line chosen on the panel as COM1 or COM2 (8N1, 19200 or\n"
           "9600 baud; the panel starts on COM1 at 19200).\n"
           "\n"
           "Options:\n" +
           optionHelp(kOptions, kHelpColumn) +
           "Qt's own options (-platform, -display, -style, -reverse ...) are passed on to Qt.\n"
           "\n"
           "Each port's device is the first of:\n"
           "  1. the option --com1 or --com2;\n"
           "  2. the environment variable ZOMA_COM1 or ZOMA_COM2;\n"
           "  3. the key com1 or com2 in $XDG_CONFIG_HOME/zoma/zoma-panel.conf (by default\n"
           "     ~/.config/zoma/zoma-panel.conf): \"key = value\" lines, '#' starts a comment line;\n"
           "  4. /dev/ttyS0 for COM1, /dev/ttyS1 for COM2.\n"
           "\n"
           "The panel needs a display: a desktop session, \"ssh -X\", or \"xvfb-run zoma-panel\".\n"
           "Exit status: 0 when closed, 1 without a display, 2 for a wrong command line.\n";
    // clang-format on
}

}  // namespace zoma
