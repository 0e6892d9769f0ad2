// Reads the settings file: only a small regular file, without blocking; skips comments and
// blanks, keeps the last value of each key.
#include "platform/SettingsFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <filesystem>
#include <fstream>
#include <sstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

// The file's text, or why it is not read; both empty for a file that is not there.
struct FileRead {
    std::string text;
    std::string problem;
};

const std::string kTooLarge = "larger than " + std::to_string(kSettingsFileLimit / 1024) + " KiB";

#ifdef _WIN32

FileRead readSmallRegularFile(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) {
        if (fs::is_symlink(fs::symlink_status(path, error))) return {{}, "a link to nothing"};
        return {};
    }
    if (!fs::is_regular_file(status)) return {{}, "not a regular file"};
    if (fs::file_size(path, error) > kSettingsFileLimit) return {{}, kTooLarge};
    std::ifstream file(path, std::ios::binary);
    if (!file) return {{}, "cannot be read"};
    std::string text(kSettingsFileLimit + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() > kSettingsFileLimit) return {{}, kTooLarge};
    return {text, {}};
}

#else

std::string notRegular(mode_t mode) {
    const char* what = S_ISDIR(mode)    ? "a directory"
                       : S_ISFIFO(mode) ? "a named pipe"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISSOCK(mode) ? "a socket"
                                        : "something else";
    return std::string("it is ") + what + ", not a regular file";
}

// Nothing here waits: the kind of file is known before it is opened (opening a named pipe
// waits for a writer, and opening a serial device raises its control lines), and it is opened
// without blocking in case it was replaced in between.
FileRead readSmallRegularFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        struct stat link {};
        if (error == ENOENT && ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
            return {{}, "it is a link to a file that does not exist"};
        }
        if (error == ENOENT) return {};
        return {{}, std::strerror(error)};
    }
    if (!S_ISREG(info.st_mode)) return {{}, notRegular(info.st_mode)};
    if (static_cast<std::size_t>(info.st_size) > kSettingsFileLimit) return {{}, kTooLarge};

    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return {{}, std::strerror(errno)};
    FileRead read;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        read.problem = notRegular(info.st_mode);
    } else {
        // One byte more than allowed tells a file that grew since it was looked at.
        std::string text(kSettingsFileLimit + 1, '\0');
        std::size_t filled = 0;
        while (filled < text.size()) {
            const ssize_t got = ::read(fd, text.data() + filled, text.size() - filled);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                read.problem = std::strerror(errno);
                break;
            }
            if (got == 0) break;
            filled += static_cast<std::size_t>(got);
        }
        text.resize(filled);
        if (read.problem.empty() && filled > kSettingsFileLimit) read.problem = kTooLarge;
        if (read.problem.empty()) read.text = std::move(text);
    }
    ::close(fd);
    return read;
}

#endif

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
    const FileRead read = readSmallRegularFile(path);
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
