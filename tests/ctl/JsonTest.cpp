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

TEST(Json, AResultIsOneObjectWithItsFiveFields) {
    const Result readOut{"status", "CR0", "80", "Stand by", true};
    EXPECT_EQ(resultJson(readOut),
              R"({"command":"status","code":"CR0","reply":"80","status":"Stand by","ok":true})");
    const Result refused{"C7F", "C7F", "\x15", "refused", false};
    EXPECT_EQ(resultJson(refused),
              R"({"command":"C7F","code":"C7F","reply":"\u0015","status":"refused","ok":false})");
}

}  // namespace
}  // namespace zoma::ctl
