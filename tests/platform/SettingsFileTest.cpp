// The settings file as the programs load it: only a small regular file is read, without waiting
// on it, and whatever keeps it from being used is said once, naming the file.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/SettingsFile.h"

namespace zoma {
namespace {

namespace fs = std::filesystem;

class SettingsFolder {
  public:
    SettingsFolder() {
        char name[] = "/tmp/zoma-settings-XXXXXX";
        if (::mkdtemp(name) != nullptr) root = name;
    }
    ~SettingsFolder() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    std::string path(const std::string& name) const { return root + "/" + name; }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }
    std::string root;
};

std::string malformedLines(int count) {
    std::string text = "com1 = /dev/ttyUSB0\n";
    for (int i = 0; i < count; ++i) text += "just words\n";
    return text;
}

TEST(SettingsFileLoading, OnlyASmallRegularFileIsReadAndAnythingElseIsSaidOnce) {
    SettingsFolder folder;
    ASSERT_FALSE(folder.root.empty());
    const std::string fifo = folder.path("fifo.conf");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(folder.path("folder.conf"));
    fs::create_symlink(folder.path("nowhere"), folder.path("dangling.conf"));
    fs::create_symlink(folder.path("loop-b.conf"), folder.path("loop-a.conf"));
    fs::create_symlink(folder.path("loop-a.conf"), folder.path("loop-b.conf"));
    fs::create_symlink("/dev/zero", folder.path("zero.conf"));
    const std::string good = folder.write("good.conf", "com1 = tcp://10.0.0.5:4001\n");
    fs::create_symlink(good, folder.path("link.conf"));

    struct Case {
        const char* behaviour;
        std::string path;
        // Expected warnings, each after "PATH" (the file's own path).
        std::vector<std::string> warnings;
        std::string com1;
    };
    const Case cases[] = {
        {"a missing file is the usual case and says nothing", folder.path("missing.conf"), {}, ""},
        {"a regular file is read", good, {}, "tcp://10.0.0.5:4001"},
        {"a link to a regular file is followed",
         folder.path("link.conf"),
         {},
         "tcp://10.0.0.5:4001"},
        {"a named pipe is not opened, so nothing waits for a writer",
         fifo,
         {": not used: it is a named pipe, not a regular file"},
         ""},
        {"a directory",
         folder.path("folder.conf"),
         {": not used: it is a directory, not a regular file"},
         ""},
        {"a link to a device that never ends",
         folder.path("zero.conf"),
         {": not used: it is a character device, not a regular file"},
         ""},
        {"a dangling link",
         folder.path("dangling.conf"),
         {": not used: it is a link to a file that does not exist"},
         ""},
        {"a link loop",
         folder.path("loop-a.conf"),
         {": not used: Too many levels of symbolic links"},
         ""},
        {"64 KiB and one byte more",
         folder.write("large.conf", std::string(64 * 1024 + 1, '#')),
         {": not used: larger than 64 KiB"},
         ""},
        {"64 KiB exactly is still a settings file",
         folder.write("limit.conf", "com1 = /dev/ttyUSB0\n" + std::string(64 * 1024 - 20, '#')),
         {},
         "/dev/ttyUSB0"},
        {"a byte-order mark starts the file",
         folder.write("bom.conf",
                      "\xEF\xBB\xBF"
                      "com1 = COM7\n"),
         {},
         "COM7"},
        {"malformed lines: the first five, then how many more",
         folder.write("many.conf", malformedLines(1000)),
         {":2: not a \"key = value\" line, ignored", ":3: not a \"key = value\" line, ignored",
          ":4: not a \"key = value\" line, ignored", ":5: not a \"key = value\" line, ignored",
          ":6: not a \"key = value\" line, ignored", ": 995 more lines of that kind ignored"},
         "/dev/ttyUSB0"},
        {"one malformed line more than shown",
         folder.write("six.conf", malformedLines(6)),
         {":2: not a \"key = value\" line, ignored", ":3: not a \"key = value\" line, ignored",
          ":4: not a \"key = value\" line, ignored", ":5: not a \"key = value\" line, ignored",
          ":6: not a \"key = value\" line, ignored", ": 1 more line of that kind ignored"},
         "/dev/ttyUSB0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        const LoadedSettings loaded = loadSettingsFile(c.path);
        std::vector<std::string> expected;
        for (const std::string& warning : c.warnings) expected.push_back(c.path + warning);
        EXPECT_EQ(loaded.warnings, expected);
        EXPECT_EQ(loaded.file.value("com1"), c.com1);
    }
}

TEST(SettingsFileLoading, AFileThisUserMayNotReadIsSaidToBeSo) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    SettingsFolder folder;
    const std::string path = folder.write("locked.conf", "com1 = /dev/ttyUSB0\n");
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    const LoadedSettings loaded = loadSettingsFile(path);
    EXPECT_EQ(loaded.warnings, std::vector<std::string>{path + ": not used: Permission denied"});
    EXPECT_EQ(loaded.file.value("com1"), "");
}

}  // namespace
}  // namespace zoma
#endif
