// Monitor text: token classes, their widths, and rendering piece by piece.
#include "replies/MonitorText.h"

#include <gtest/gtest.h>

namespace zoma {
namespace {

TEST(MonitorText, RendersEachCharacterClassWithItsToken) {
    struct Case {
        std::string source;
        std::string expected;
    };
    const Case cases[] = {
        {std::string("C80\r"), " C 8 0 CR "},
        {std::string("80\r"), " 8 0 CR "},
        {std::string("\x06"), " ACK "},
        {std::string("00\r\n"), " 0 0 CR LF  "},
        {std::string("1 2"), " 1   2 "},
        {std::string(), " "},
        {std::string(1, '\0'), " ? "},
        {std::string("\x1b"), " ? "},
        {std::string("1") + '\0' + "2", " 1 ? 2 "},
        {std::string("?"), " ? "},
        {std::string("z{"), " z ? "},
        {std::string("\x7f\x80\xff"), " ? ? ? "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(monitorText(c.source), c.expected) << "source of " << c.source.size() << " chars";
    }
}

TEST(MonitorText, EveryByteValueTakesItsTokenWidth) {
    for (int code = 0; code < 256; ++code) {
        const std::string source(1, static_cast<char>(code));
        const std::string text = monitorText(source);
        if (code == 6) {
            EXPECT_EQ(text, " ACK ");
        } else if (code == 13) {
            EXPECT_EQ(text, " CR ");
        } else if (code == 10) {
            EXPECT_EQ(text, " LF  ");
        } else if (code >= 32 && code <= 122) {
            EXPECT_EQ(text, std::string(" ") + static_cast<char>(code) + " ") << code;
        } else {
            EXPECT_EQ(text, " ? ") << code;
        }
    }
}

TEST(MonitorText, TwoWideCharactersStandAtEvenPositions) {
    std::string source;
    for (int code = 0; code < 256; ++code) {
        if (code != 6 && code != 10 && code != 13) source += static_cast<char>(code);
    }
    const std::string text = monitorText(source);
    ASSERT_EQ(text.size(), 2 * source.size() + 1);
    for (std::size_t k = 1; k <= source.size(); ++k) EXPECT_EQ(text[2 * k - 2], ' ') << k;
}

TEST(MonitorText, AppendingPiecesGivesTheWholeRendering) {
    const std::string source = std::string(
                                   "\x06"
                                   "80\r\n12") +
                               '\0' + "\xfe z";
    for (std::size_t split = 0; split <= source.size(); ++split) {
        std::string text = monitorText(source.substr(0, split));
        appendMonitorTokens(text, source.substr(split));
        EXPECT_EQ(text, monitorText(source)) << "split at " << split;
    }
}

}  // namespace
}  // namespace zoma
