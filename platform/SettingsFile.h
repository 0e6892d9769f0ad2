// The user's settings file: "key = value" lines, read only, never written.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zoma {

// The value of an environment variable, empty when it is unset or empty. Callers pass the
// process's environment (processEnvironment) or, in tests, a table of their own.
using EnvironmentLookup = std::function<std::string(const std::string& name)>;

std::string processEnvironment(const std::string& name);

struct SettingsFile {
    // Keys and values with the blanks around them removed; a later line wins over an earlier one.
    std::map<std::string, std::string, std::less<>> values;
    // Line numbers (from 1) of lines that are neither blank, a comment nor "key = value".
    std::vector<int> malformedLines;

    // The value of the key, empty when it is missing.
    std::string value(std::string_view key) const;
};

// Blank lines and lines whose first non-blank character is '#' are skipped. The value is
// everything after the first '=', so it may hold '=' and '#' itself (device paths may).
SettingsFile parseSettingsFile(std::string_view text);

// $XDG_CONFIG_HOME/zoma/zoma-panel.conf, or ~/.config/zoma/zoma-panel.conf when that variable is
// unset or not an absolute path; empty when HOME is unset as well.
std::string settingsFilePath(const EnvironmentLookup& environment);

// The whole file, or empty when it cannot be read (a missing file is the usual case).
std::string readSettingsText(const std::string& path);

}  // namespace zoma
