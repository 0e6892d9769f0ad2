// Status decoding of read-out replies, received through the link as the projector sends them.
#include "replies/StatusDecoding.h"

#include <gtest/gtest.h>

#include "doubles/FormRig.h"

namespace zoma {
namespace {

using testing::FormRig;

struct Reply {
    const char* button;  // the read-out button that asks
    std::string reply;   // what the projector sends
    const char* status;  // what the status line then reads
};

// Asks with the button, delivers the reply in one piece, returns the status line.
std::string statusAfter(const char* button, const std::string& reply) {
    FormRig rig;
    rig.load();
    rig.window.setCaption(kStatusLine, "unchanged");
    rig.form.click(button);
    rig.port.deliver(reply);
    return rig.label(kStatusLine);
}

TEST(StatusDecoding, ReadOutRepliesDecodeToWords) {
    const Reply replies[] = {
        {"Command44", "00\r", " Power ON"},
        {"Command44", "80\r", " Stand by"},
        {"Command44", "40\r", " Count down"},
        {"Command44", "20\r", " Cooling down"},
        {"Command44", "10\r", " Power abnormality"},
        {"Command44", "28\r", " Temperature abnormality"},
        {"Command44", "08\r", " Temperature abnormality"},
        {"Command44", "88\r", " Temperature abnormality"},
        {"Command44", "02\r", " Key input prohibition"},
        {"Command44", "24\r", " Power Management Cooling"},
        {"Command44", "04\r", " Power Management"},
        {"Command44", "8000\r", " Stand by"},
        {"Command45", "0\r", " Input 1"},
        {"Command45", "1\r", " Input 2"},
        {"Command45", "2\r", " Input 3"},
        {"Command47", "11\r", " Normally"},
        {"Command47", "10\r", " Top/Bottom reversal"},
        {"Command47", "01\r", " Left/Right reversal"},
        {"Command47", "00\r", " Top/Bottom , Left/Right reversal"},
        {"Command46", "0123\r", " 0 1 2 3 Hour Use"},
        {"Command46", "12\r", " 1 2 CR  Hour Use"},
        {"Command38", "01234567890123456\r",
         "  S1= 0 1 2 3 4 C  ,   S2=  7 8 9 0 C , S3= 2 3 4 5 6 C"},
        {"Command38", "012\r", "  S1= 0 1 2 CR  C  ,   S2=  C , S3= C"},
        {"Command38", "", "  S1=  C  ,   S2=  C , S3= C"},
    };
    for (const Reply& r : replies) {
        EXPECT_EQ(statusAfter(r.button, r.reply), r.status) << r.button << " answered " << r.reply;
    }
}

TEST(StatusDecoding, RepliesThatMatchNoRowLeaveTheStatusLineAlone) {
    const Reply replies[] = {
        {"Command44", "0", "unchanged"},  // one digit so far
        {"Command44",
         "\x06"
         "00\r",
         "unchanged"},  // ACK shifts the field
        {"Command44", "\r00\r", "unchanged"},
        {"Command44", "99\r", "unchanged"},
        {"Command45", "3\r", "unchanged"},
        {"Command45",
         "\x06"
         "0\r",
         "unchanged"},
        {"Command47", "\r11", "unchanged"},
        {"Command47", "12\r", "unchanged"},
        {"Command17", "80\r", "unchanged"},  // "C00" is no read-out query
        {"Command52", "0123\r", "unchanged"},
    };
    for (const Reply& r : replies) {
        EXPECT_EQ(statusAfter(r.button, r.reply), r.status) << r.button << " answered " << r.reply;
    }
}

TEST(StatusDecoding, ReplyInPiecesIsDecodedOnceItsFieldHasArrived) {
    FormRig rig;
    rig.load();
    rig.form.click("Command44");
    rig.port.deliver("0");
    EXPECT_EQ(rig.label(kStatusLine), "");
    rig.port.deliver("0");
    EXPECT_EQ(rig.label(kStatusLine), " Power ON");
    rig.port.deliver("\r");
    EXPECT_EQ(rig.label(kStatusLine), " Power ON");

    rig.clock.advance(1000);
    rig.form.click("Command46");
    std::string status;
    for (char c : std::string("0042\r")) {
        rig.port.deliver(std::string(1, c));
        status = rig.label(kStatusLine);
    }
    EXPECT_EQ(status, " 0 0 4 2 Hour Use");
}

TEST(StatusDecoding, NothingIsDecodedBeforeTheFirstQueryOrAfterAnotherButton) {
    FormRig rig;
    rig.load();
    rig.port.deliver("00\r");
    EXPECT_EQ(rig.label(kStatusLine), "");
    rig.clock.advance(1000);
    rig.form.click("Command44");
    rig.form.click("Command17");
    rig.port.deliver("00\r");
    EXPECT_EQ(rig.label(kStatusLine), "");
}

TEST(StatusDecoding, FieldsAreTakenByPositionFromTheMonitorText) {
    EXPECT_EQ(decodeStatus("CR0\r", " 0 0 CR "), " Power ON");
    EXPECT_EQ(decodeStatus("CR0\r", " 0"), std::nullopt);
    EXPECT_EQ(decodeStatus("cr0\r", " 0 0 CR "), std::nullopt);
    EXPECT_EQ(decodeStatus("CR0", " 0 0 CR "), std::nullopt);
    EXPECT_EQ(decodeStatus("", " 0 0 CR "), std::nullopt);
    EXPECT_EQ(decodeStatus("CR3\r", ""), " Hour Use");
    EXPECT_EQ(decodeStatus("CR6\r", " X X X X"), "  S1= X X X X C  ,   S2=  C , S3= C");
}

}  // namespace
}  // namespace zoma
