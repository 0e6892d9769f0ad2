// What a faulty line can send: stray bytes anywhere in a reply, any split, an endless stream.
#include <gtest/gtest.h>

#include "doubles/FormRig.h"
#include "replies/MonitorText.h"

namespace zoma {
namespace {

using testing::FormRig;

struct Query {
    const char* button;
    std::string reply;
};

const Query kQueries[] = {
    {"Command44", "80\r"},
    {"Command45", "2\r"},
    {"Command46", "0123\r"},
    {"Command47", "10\r"},
    {"Command38", "+38.5 +45.0 +41.0\r"},
};

// The status line after the reply arrives in the given pieces.
std::string statusAfterPieces(const char* button, const std::vector<std::string>& pieces,
                              std::string* rxLine = nullptr) {
    FormRig rig;
    rig.load();
    rig.form.click(button);
    for (const std::string& piece : pieces) rig.port.deliver(piece);
    if (rxLine != nullptr) *rxLine = rig.label(kRxLine);
    return rig.label(kStatusLine);
}

TEST(LineFaults, ReplySplitAnywhereDecodesAsInOnePiece) {
    for (const Query& q : kQueries) {
        const std::string whole = statusAfterPieces(q.button, {q.reply});
        ASSERT_FALSE(whole.empty()) << q.button;
        for (std::size_t at = 0; at <= q.reply.size(); ++at) {
            EXPECT_EQ(statusAfterPieces(q.button, {q.reply.substr(0, at), q.reply.substr(at)}),
                      whole)
                << q.button << " split at " << at;
        }
        std::vector<std::string> bytes;
        for (char c : q.reply) bytes.emplace_back(1, c);
        EXPECT_EQ(statusAfterPieces(q.button, bytes), whole) << q.button << " byte by byte";
    }
}

TEST(LineFaults, StrayBytesAnywhereInAReplyAreShownAndNeverBreakTheDecoding) {
    const char strays[] = {'\0', '\x01', '\x06', '\n', '\r', '\x1b', '\x7f', '\x80', '\xff'};
    for (const Query& q : kQueries) {
        for (std::size_t at = 0; at <= q.reply.size(); ++at) {
            for (char stray : strays) {
                std::string reply = q.reply;
                reply.insert(at, 1, stray);
                std::string rxLine;
                const std::string status = statusAfterPieces(q.button, {reply}, &rxLine);
                EXPECT_EQ(rxLine, monitorText(reply));
                // Past the fields that the decoding reads, a stray byte changes nothing.
                if (at >= 2 && q.reply == "80\r") {
                    EXPECT_EQ(status, " Stand by");
                }
            }
        }
    }
}

TEST(LineFaults, EndlessStreamStaysBoundedAcrossReplyWindows) {
    FormRig rig;
    rig.load();
    std::string chunk;
    for (int i = 0; i < 192; ++i) chunk += static_cast<char>((i * 37) % 256);
    std::size_t largest = 0;
    for (int tick = 0; tick < 6000; ++tick) {  // 60 s at 1920 bytes per second
        if (tick % 70 == 0) rig.form.click("Command44");
        rig.port.deliver(chunk.substr(0, 19));
        rig.clock.advance(10);
        largest = std::max(largest, rig.form.vars.RxBuffer.size());
    }
    EXPECT_LE(largest, 32767u);
    // Every reply window's end emptied the buffer: it never held more than one click's worth.
    EXPECT_LE(largest, 19u * 70u);
    EXPECT_EQ(rig.sent.size(), 6000u / 70u + 1u);

    // Without transmissions the stream fills the buffer to its bound and no further.
    for (int tick = 0; tick < 3000; ++tick) rig.port.deliver(chunk);
    EXPECT_EQ(rig.form.vars.RxBuffer.size(), 32767u);
    EXPECT_EQ(rig.label(kRxLine), monitorText(rig.form.vars.RxBuffer));
    rig.form.click("Command45");
    rig.clock.advance(500);
    EXPECT_EQ(rig.form.vars.RxBuffer, "");
}

}  // namespace
}  // namespace zoma
