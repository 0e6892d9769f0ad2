// Reads the settings file: skips comments and blanks, keeps the last value of each key.
#include "platform/SettingsFile.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zoma {

namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

}  // namespace

std::string processEnvironment(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value != nullptr ? value : "";
}

std::string SettingsFile::value(std::string_view key) const {
    const auto found = values.find(key);
    return found != values.end() ? found->second : std::string();
}

SettingsFile parseSettingsFile(std::string_view text) {
    SettingsFile file;
    int number = 0;
    while (!text.empty() || number == 0) {
        ++number;
        const auto end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == '#') continue;
        const auto equals = line.find('=');
        const std::string_view key =
            equals == std::string_view::npos ? std::string_view() : trimmed(line.substr(0, equals));
        if (key.empty()) {
            file.malformedLines.push_back(number);
            continue;
        }
        file.values[std::string(key)] = std::string(trimmed(line.substr(equals + 1)));
    }
    return file;
}

std::string settingsFilePath(const EnvironmentLookup& environment) {
    constexpr std::string_view kRelative = "/zoma/zoma-panel.conf";
    // A relative XDG_CONFIG_HOME is invalid and is ignored, as the XDG base directories say.
    if (const std::string config = environment("XDG_CONFIG_HOME");
        !config.empty() && config.front() == '/') {
        return config + std::string(kRelative);
    }
    if (const std::string home = environment("HOME"); !home.empty()) {
        return home + "/.config" + std::string(kRelative);
    }
    return {};
}

std::string readSettingsText(const std::string& path) {
    if (path.empty()) return {};
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace zoma
