// MD5 against RFC 1321's vectors, PJLink 1.00's digest example, and lengths at block edges.
#include "gateway/Md5.h"

#include <gtest/gtest.h>

#include <string>

namespace zoma::gateway {
namespace {

TEST(Md5Test, DigestsMatchThePublishedVectorsAndTheBlockEdges) {
    struct Case {
        const char* behaviour;
        std::string input;
        const char* digest;
    };
    std::string allBytes;
    for (int i = 0; i < 256; ++i) allBytes += static_cast<char>(i);
    const Case cases[] = {
        // RFC 1321, appendix A.5.
        {"empty", "", "d41d8cd98f00b204e9800998ecf8427e"},
        {"one letter", "a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"the alphabet", "abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"62 letters and digits", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"80 digits, over one block",
         "1234567890123456789012345678901234567890123456789012345678901234567890123456789"
         "0",
         "57edf4a22be3c955ac49da2e2107b67a"},
        // PJLink 1.00: the random number and the password, run together.
        {"the PJLink example", "498e4a67JBMIAProjectorLink", "5d8409bc1c3fa39749434aa3a5c38682"},
        // The padding's edges: the length still fits the last block at 55, not at 56.
        {"55 bytes", std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
        {"56 bytes", std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
        {"63 bytes", std::string(63, 'a'), "b06521f39153d618550606be297466d5"},
        {"64 bytes", std::string(64, 'a'), "014842d480b571495a4a0363793f7367"},
        {"65 bytes", std::string(65, 'a'), "c743a45e0d2e6a95cb859adae0248435"},
        {"120 bytes", std::string(120, 'a'), "5f61c0ccad4cac44c75ff505e1f1e537"},
        // Bytes above 127 are unsigned in the message, whatever char is.
        {"every byte value", allBytes, "e2c865db4162bed963bfaa9ef6ac18f0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        EXPECT_EQ(md5Hex(c.input), c.digest);
    }
}

}  // namespace
}  // namespace zoma::gateway
