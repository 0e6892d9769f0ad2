// The gateway's password: read once from a file only its owner can read.
#pragma once

#include <string>

namespace zoma::gateway {

constexpr std::size_t kPasswordMaxLength = 32;

struct PasswordRead {
    std::string password;
    // Why the file cannot serve, naming it; empty when the password was read.
    std::string error;
};

// The file must be a regular file with no permission bits for its group or others (as systemd's
// LoadCredential= gives it, or after chmod 600), and hold one line of 1 to 32 printable ASCII
// characters, with or without a line end.
PasswordRead readPasswordFile(const std::string& path);

}  // namespace zoma::gateway
