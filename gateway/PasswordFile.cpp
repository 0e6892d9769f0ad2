// Reads and checks the password file.
#include "gateway/PasswordFile.h"

#include <cstdio>

#include "platform/SmallFile.h"

namespace zoma::gateway {

namespace {

// A password file holds one short line; anything longer is not one.
constexpr std::size_t kFileLimit = 4096;
constexpr unsigned kGroupAndOthers = 077;

std::string octal(unsigned mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", mode & 07777);
    return text;
}

}  // namespace

PasswordRead readPasswordFile(const std::string& path) {
    const std::string name = "password file " + path + ": ";
    const SmallFile file = readSmallFile(path, kFileLimit);
    if (file.missing) return {{}, name + "No such file or directory"};
    if (!file.problem.empty()) return {{}, name + file.problem};
#ifndef _WIN32
    if ((file.permissions & kGroupAndOthers) != 0) {
        return {{},
                name + "its group or others may use it (mode " + octal(file.permissions) +
                    "): make it readable by its owner only (chmod 600), or give it through "
                    "systemd's LoadCredential="};
    }
#endif
    std::string text = file.text;
    if (!text.empty() && text.back() == '\n') text.pop_back();
    if (!text.empty() && text.back() == '\r') text.pop_back();
    const bool printable =
        !text.empty() && text.find_first_not_of(
                             " !\"#$%&'()*+,-./0123456789:;<=>?@"
                             "ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`"
                             "abcdefghijklmnopqrstuvwxyz{|}~") == std::string::npos;
    if (!printable || text.size() > kPasswordMaxLength) {
        return {{}, name + "it must hold one line of 1 to 32 printable characters"};
    }
    return {text, {}};
}

}  // namespace zoma::gateway
