// Port numbers to device names: option, environment, settings file, the system's name.
#include "platform/PortNaming.h"

#include <algorithm>

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
                               const SettingsFile& settings) {
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
    return resolvePortDevices(options, processEnvironment, loadSettings(processEnvironment).file);
#endif
}

std::string portDeviceName(int portNumber) {
    return resolvePortDevices({}).forPort(portNumber);
}

std::string serialDevicePath(const std::string& device) {
#ifdef _WIN32
    return device;
#else
    if (device.empty() || device.find('/') != std::string::npos) return device;
    return "/dev/" + device;
#endif
}

bool serialDevicePathTooLong(const std::string& path) {
#ifdef _WIN32
    (void)path;
    return false;
#else
    constexpr std::size_t kPathMax = 4095;
    constexpr std::size_t kPartMax = 255;
    constexpr std::size_t kLockPrefix = 5;  // "LCK.."
    if (path.size() > kPathMax) return true;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        const bool last = slash == path.size();
        if (slash - start > (last ? kPartMax - kLockPrefix : kPartMax)) return true;
        start = slash + 1;
    }
    return false;
#endif
}

}  // namespace zoma
