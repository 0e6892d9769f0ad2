// Port numbers to device names: option, environment, settings file, the system's name.
#include "platform/PortNaming.h"

namespace zoma {

namespace {

std::string systemPortName(int portNumber) {
#ifdef _WIN32
    return "COM" + std::to_string(portNumber);
#else
    return "/dev/ttyS" + std::to_string(portNumber - 1);
#endif
}

std::string firstNamed(std::initializer_list<std::string> candidates) {
    for (const std::string& candidate : candidates) {
        if (!candidate.empty()) return candidate;
    }
    return {};
}

}  // namespace

PortDevices resolvePortDevices(const PortDevices& options, const EnvironmentLookup& environment,
                               std::string_view settingsText) {
    const SettingsFile settings = parseSettingsFile(settingsText);
    return {
        firstNamed(
            {options.com1, environment("ZOMA_COM1"), settings.value("com1"), systemPortName(1)}),
        firstNamed(
            {options.com2, environment("ZOMA_COM2"), settings.value("com2"), systemPortName(2)}),
    };
}

PortDevices resolvePortDevices(const PortDevices& options) {
#ifdef _WIN32
    return resolvePortDevices(options, [](const std::string&) { return std::string(); }, {});
#else
    return resolvePortDevices(options, processEnvironment,
                              readSettingsText(settingsFilePath(processEnvironment)));
#endif
}

std::string portDeviceName(int portNumber) {
    return resolvePortDevices({}).forPort(portNumber);
}

}  // namespace zoma
