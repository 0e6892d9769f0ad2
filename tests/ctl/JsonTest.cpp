// Results as JSON: every byte a reply may hold gives a valid JSON string.
#include "ctl/Json.h"

#include <gtest/gtest.h>

namespace zoma::ctl {
namespace {

TEST(Json, StringsEscapeQuotesControlCharactersAndHighBytes) {
    struct Case {
        std::string bytes;
        const char* json;
    };
    const Case cases[] = {
        {"80", R"("80")"},
        {"\x06", R"("\u0006")"},
        {"\x15", R"("\u0015")"},
        {std::string(1, '\0'), R"("\u0000")"},
        {"\r\n\t\b\f", R"("\r\n\t\b\f")"},
        {"a\"b\\c/", R"("a\"b\\c/")"},
        {"\x7f\x80\xe9\xff", R"("\u007f\u0080\u00e9\u00ff")"},
    };
    for (const Case& c : cases) EXPECT_EQ(jsonString(c.bytes), c.json);
}

}  // namespace
}  // namespace zoma::ctl
