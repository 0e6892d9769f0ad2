// The user's settings file: "key = value" lines, read only, never written.
#pragma once

#include <cstddef>
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
// everything after the first '=', so it may hold '=' and '#' itself (device paths may). A UTF-8
// byte-order mark at the very start is skipped.
SettingsFile parseSettingsFile(std::string_view text);

// $XDG_CONFIG_HOME/zoma/zoma-panel.conf, or ~/.config/zoma/zoma-panel.conf when that variable is
// unset or not an absolute path; empty when HOME is unset as well.
std::string settingsFilePath(const EnvironmentLookup& environment);

// A settings file holds a few lines; anything larger is not one.
constexpr std::size_t kSettingsFileLimit = 64 * 1024;
// Malformed lines warned about one by one; the rest are counted in one more line.
constexpr std::size_t kMalformedLinesShown = 5;

// What a program makes of its settings file.
struct LoadedSettings {
    std::string path;
    // Empty when there is no file, or when it is not used.
    SettingsFile file;
    // For standard error, one line each, naming the file: why it is not used ("not a regular
    // file (a named pipe)"), or the lines of it that are ignored. None for a missing file, the
    // usual case.
    std::vector<std::string> warnings;
};

// Reads the file at `path` without ever waiting on it: only a regular file of at most
// kSettingsFileLimit bytes is read (a named pipe, a device or a directory is not), and a link is
// followed to one. Anything else is said in one warning and the file is not used.
LoadedSettings loadSettingsFile(const std::string& path);

// The user's settings file, found through the environment as settingsFilePath says.
LoadedSettings loadSettings(const EnvironmentLookup& environment);

}  // namespace zoma
