// What the gateway is told at start: where to listen, and its password file.
#include <gtest/gtest.h>

#include <string>

#include "gateway/ListenAddress.h"
#include "gateway/PasswordFile.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#endif

namespace zoma::gateway {
namespace {

TEST(ListenAddress, PortAloneIsThisMachineOnlyAndAddressesAreLiterals) {
    struct Case {
        const char* text;
        const char* address;  // empty: refused
        int port;
        bool loopback;
    };
    const Case cases[] = {
        {"4352", "127.0.0.1", 4352, true},
        {"0", "127.0.0.1", 0, true},
        {"0.0.0.0:4352", "0.0.0.0", 4352, false},
        {"192.168.1.20:10001", "192.168.1.20", 10001, false},
        {"127.0.0.2:4352", "127.0.0.2", 4352, true},
        {"[::1]:4352", "::1", 4352, true},
        {"[::]:4352", "::", 4352, false},
        {"65535", "127.0.0.1", 65535, true},
        {"65536", "", 0, false},
        {"-1", "", 0, false},
        {"+80", "", 0, false},
        {"localhost:4352", "", 0, false},
        {"::1:4352", "", 0, false},
        {"[::1]", "", 0, false},
        {"10.0.0.300:80", "", 0, false},
        {"", "", 0, false},
        {":4352", "", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ListenAddressParse parsed = parseListenAddress(c.text);
        if (*c.address == '\0') {
            EXPECT_FALSE(parsed.listen);
            EXPECT_FALSE(parsed.error.empty());
            continue;
        }
        ASSERT_TRUE(parsed.listen) << parsed.error;
        EXPECT_EQ(parsed.listen->address, c.address);
        EXPECT_EQ(parsed.listen->port, c.port);
        EXPECT_EQ(isLoopback(parsed.listen->address), c.loopback);
    }
    EXPECT_EQ(listenText("127.0.0.1", 4352), "127.0.0.1:4352");
    EXPECT_EQ(listenText("::1", 4352), "[::1]:4352");
}

#ifndef _WIN32
TEST(PasswordFile, OneShortPrintableLineThatOnlyItsOwnerMayRead) {
    char folder[] = "/tmp/zoma-password-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string root = folder;
    const auto write = [&](const std::string& name, const std::string& text, mode_t mode) {
        const std::string path = root + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        ::chmod(path.c_str(), mode);
        return path;
    };
    struct Case {
        const char* behaviour;
        std::string path;
        const char* password;  // empty: refused
        const char* says = "";
    };
    const Case cases[] = {
        {"one line with its end", write("a", "JBMIAProjectorLink\n", 0600), "JBMIAProjectorLink"},
        {"a Windows line end", write("b", "secret\r\n", 0400), "secret"},
        {"no line end", write("c", "s3cr3t pass", 0600), "s3cr3t pass"},
        {"32 characters", write("d", std::string(32, 'x'), 0600),
         "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"},
        {"33 characters", write("e", std::string(33, 'x'), 0600), "", "1 to 32 printable"},
        {"empty", write("f", "\n", 0600), "", "1 to 32 printable"},
        {"two lines", write("g", "one\ntwo\n", 0600), "", "1 to 32 printable"},
        {"a control character", write("h", "pass\tword", 0600), "", "1 to 32 printable"},
        {"readable by others", write("i", "secret\n", 0644), "", "(mode 0644)"},
        {"readable by its group", write("j", "secret\n", 0640), "", "chmod 600"},
        {"missing", root + "/none", "", "No such file or directory"},
        {"a directory", root, "", "not a regular file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        const PasswordRead read = readPasswordFile(c.path);
        if (*c.password != '\0') {
            EXPECT_EQ(read.password, c.password);
            EXPECT_EQ(read.error, "");
            continue;
        }
        EXPECT_EQ(read.password, "");
        EXPECT_EQ(read.error.rfind("password file " + c.path + ": ", 0), 0u) << read.error;
        EXPECT_NE(read.error.find(c.says), std::string::npos) << read.error;
    }
    std::filesystem::remove_all(root);
}
#endif

}  // namespace
}  // namespace zoma::gateway
