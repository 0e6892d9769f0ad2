// Reads the settings file: only a small regular file, without blocking; skips comments and
// blanks, keeps the last value of each key.
#include "platform/SettingsFile.h"

#include <cstdlib>

#include "platform/SmallFile.h"

namespace zoma {

namespace {

constexpr std::string_view kBlanks = " \t\r";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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
    // Editors on some systems start a UTF-8 file with a byte-order mark; it is not text.
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
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

LoadedSettings loadSettingsFile(const std::string& path) {
    LoadedSettings loaded;
    loaded.path = path;
    if (path.empty()) return loaded;
    const SmallFile read = readSmallFile(path, kSettingsFileLimit);
    if (!read.problem.empty()) {
        loaded.warnings.push_back(path + ": not used: " + read.problem);
        return loaded;
    }
    loaded.file = parseSettingsFile(read.text);
    // A file of nothing but wrong lines says so in a few lines, not in one per line.
    const std::vector<int>& malformed = loaded.file.malformedLines;
    for (std::size_t i = 0; i < malformed.size() && i < kMalformedLinesShown; ++i) {
        loaded.warnings.push_back(path + ":" + std::to_string(malformed[i]) +
                                  ": not a \"key = value\" line, ignored");
    }
    if (malformed.size() > kMalformedLinesShown) {
        const std::size_t more = malformed.size() - kMalformedLinesShown;
        loaded.warnings.push_back(path + ": " + std::to_string(more) + " more line" +
                                  (more == 1 ? "" : "s") + " of that kind ignored");
    }
    return loaded;
}

LoadedSettings loadSettings(const EnvironmentLookup& environment) {
    return loadSettingsFile(settingsFilePath(environment));
}

}  // namespace zoma
