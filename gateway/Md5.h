// MD5 (RFC 1321) as the PJLink class 1 standard uses it: the digest of a challenge and a password.
#pragma once

#include <string>
#include <string_view>

namespace zoma::gateway {

// The digest of the bytes, as 32 lower-case hexadecimal characters.
std::string md5Hex(std::string_view bytes);

}  // namespace zoma::gateway
