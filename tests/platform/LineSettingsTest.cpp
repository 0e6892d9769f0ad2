// Line settings text: the two speeds the panel uses, and texts a port must refuse.
#include "platform/LineSettings.h"

#include <gtest/gtest.h>

namespace zoma {
namespace {

TEST(LineSettings, ReadsSpeedParityDataAndStopBits) {
    const auto fast = parseLineSettings("19200,N,8,1");
    ASSERT_TRUE(fast);
    EXPECT_EQ(fast->baudRate, 19200);
    EXPECT_EQ(fast->parity, 'N');
    EXPECT_EQ(fast->dataBits, 8);
    EXPECT_EQ(fast->stopBits, 1);

    const auto slow = parseLineSettings("9600,e,7,2");
    ASSERT_TRUE(slow);
    EXPECT_EQ(slow->baudRate, 9600);
    EXPECT_EQ(slow->parity, 'E');
    EXPECT_EQ(slow->dataBits, 7);
    EXPECT_EQ(slow->stopBits, 2);
}

TEST(LineSettings, RefusesMalformedTexts) {
    for (const char* text : {"", "19200", "19200,N,8", "19200,N,8,1,", "19200,N,8,1,1", "x,N,8,1",
                             "19200,NN,8,1", "19200,Q,8,1", "19200,N,9,1", "19200,N,8,3",
                             "-9600,N,8,1", "19200,N,8,1 ", "99999999999,N,8,1", ",,,"}) {
        EXPECT_FALSE(parseLineSettings(text)) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace zoma
