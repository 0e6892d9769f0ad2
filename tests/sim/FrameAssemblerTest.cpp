// Frame assembly: pieces split anywhere, LF, garbage before a frame, short frames.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/FrameAssembler.h"

namespace zoma::sim {
namespace {

std::vector<std::string> codesOf(const std::vector<AssembledFrame>& frames) {
    std::vector<std::string> codes;
    for (const AssembledFrame& frame : frames) codes.push_back(frame.code);
    return codes;
}

TEST(FrameAssembler, FramesSplitAtEveryPositionComeOutWhole) {
    const std::string line = "C00\rCR0\r";
    for (std::size_t first = 0; first <= line.size(); ++first) {
        for (std::size_t second = first; second <= line.size(); ++second) {
            FrameAssembler assembler;
            std::vector<std::string> codes;
            for (const std::string& piece :
                 {line.substr(0, first), line.substr(first, second - first), line.substr(second)}) {
                for (const std::string& code : codesOf(assembler.push(piece)))
                    codes.push_back(code);
            }
            EXPECT_EQ(codes, (std::vector<std::string>{"C00", "CR0"})) << first << "," << second;
            EXPECT_EQ(assembler.pendingSize(), 0u);
        }
    }
}

TEST(FrameAssembler, ByteByByteWaitsForTheCr) {
    FrameAssembler assembler;
    EXPECT_TRUE(assembler.push("C").empty());
    EXPECT_TRUE(assembler.push("R").empty());
    EXPECT_TRUE(assembler.push("6").empty());
    EXPECT_EQ(codesOf(assembler.push("\r")), std::vector<std::string>{"CR6"});
}

TEST(FrameAssembler, ResynchronisesOnTheLastThreeCharactersBeforeCr) {
    struct Case {
        std::string input;
        std::string code;
        std::string skipped;
    };
    const Case cases[] = {
        {"CR0\r", "CR0", ""},
        {"C\n00\r\n", "C00", ""},  // LF is dropped wherever it is
        {std::string("\0\x93"
                     "CR0\r",
                     6),
         "CR0", std::string("\0\x93", 2)},
        {"C0CR0\r", "CR0", "C0"},  // the rest of a frame cut short
        {"CR\r", "", "CR"},        // too short: no code, no reply
        {"\r", "", ""},
        {std::string("C\0"
                     "00\r",
                     5),
         std::string("\0"
                     "00",
                     3),
         "C"},  // noise inside a frame
    };
    for (const Case& c : cases) {
        FrameAssembler assembler;
        const std::vector<AssembledFrame> frames = assembler.push(c.input);
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0].code, c.code);
        EXPECT_EQ(frames[0].skipped, c.skipped);
        EXPECT_EQ(frames[0].skippedCount, c.skipped.size());
    }
}

TEST(FrameAssembler, LongGarbageIsCountedButNotKept) {
    FrameAssembler assembler;
    EXPECT_TRUE(assembler.push(std::string(10000, 'x')).empty());
    EXPECT_LE(assembler.pendingSize(), FrameAssembler::kMaxKept);
    const std::vector<AssembledFrame> frames = assembler.push("CR0\r");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].code, "CR0");
    EXPECT_EQ(frames[0].skippedCount, 10000u);
    EXPECT_EQ(frames[0].skipped, std::string(FrameAssembler::kMaxKept - 3, 'x'));
}

}  // namespace
}  // namespace zoma::sim
