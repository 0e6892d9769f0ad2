// Held buttons and adjustment modes on the virtual clock: frames, their times, and the paces.
#include "commands/HoldRepeat.h"

#include <gtest/gtest.h>

#include "doubles/FormRig.h"

namespace zoma {
namespace {

using testing::FormRig;
using Sent = FormRig::Sent;

class HoldRepeatTest : public ::testing::Test {
  protected:
    void SetUp() override { rig.load(); }

    // Holds the button for `milliseconds`, releases it, and returns the frames of the hold.
    std::vector<Sent> hold(const char* button, int milliseconds) {
        rig.sent.clear();
        rig.form.mouseDown(button);
        rig.clock.advance(milliseconds);
        rig.form.mouseUp(button);
        std::vector<Sent> frames;
        frames.swap(rig.sent);
        for (Sent& frame : frames) frame.at -= rig.clock.now() - milliseconds;
        return frames;
    }

    static std::vector<Sent> every(int period, int until, const std::string& code) {
        std::vector<Sent> frames;
        for (int at = 0; at <= until; at += period) frames.push_back({at, code + '\r'});
        return frames;
    }

    FormRig rig;
};

TEST_F(HoldRepeatTest, EachHeldButtonRepeatsItsCodeAtItsPace) {
    struct Case {
        const char* button;
        const char* code;
        int period;
        int replyWindow;
        int monitorHold;
    };
    // The arrows first: on a fresh form they repeat at the designed period and leave the reply
    // window and monitor hold as designed.
    const Case cases[] = {
        {"Command5", "C3C", 200, 500, 1000}, {"Command7", "C3D", 200, 500, 1000},
        {"Command9", "C3B", 200, 500, 1000}, {"Command8", "C3A", 200, 500, 1000},
        {"Command1", "C09", 250, 200, 245},  {"Command2", "C0A", 250, 200, 245},
        {"Command15", "C47", 50, 25, 25},    {"Command35", "C46", 50, 25, 25},
        {"Command36", "C4B", 50, 25, 25},    {"Command37", "C4A", 50, 25, 25},
        {"Command6", "C3F", 500, 200, 245},  {"Command30", "C3E", 500, 200, 245},
        {"Command50", "C8E", 250, 200, 245}, {"Command51", "C8F", 250, 200, 245},
        {"Command59", "C5D", 50, 25, 25},    {"Command62", "C5E", 50, 25, 25},
        {"Command48", "C30", 250, 200, 245}, {"Command49", "C31", 250, 200, 245},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        rig.form.mouseDown(c.button);
        EXPECT_EQ(rig.replyWindowTimer.interval(), c.replyWindow);
        EXPECT_EQ(rig.monitorHoldTimer.interval(), c.monitorHold);
        rig.form.mouseUp(c.button);
        rig.clock.advance(2000);
        EXPECT_EQ(hold(c.button, 1000), every(c.period, 1000, c.code));
        EXPECT_EQ(rig.form.vars.LastCommand, std::string(c.code) + '\r');
        EXPECT_EQ(rig.repeatTimer.interval(),
                  c.button == std::string("Command48") || c.button == std::string("Command49")
                      ? 5
                      : c.period);
        EXPECT_EQ(rig.replyWindowTimer.interval(), 500);
        EXPECT_EQ(rig.monitorHoldTimer.interval(), 1000);
        EXPECT_FALSE(rig.repeatTimer.isEnabled());
        rig.clock.advance(2000);
    }
}

TEST_F(HoldRepeatTest, ReleaseClearsTheMonitorAtOnceAndTheStatusOneSecondLater) {
    rig.form.mouseDown("Command1");
    rig.clock.advance(100);
    rig.port.deliver("\x06");
    rig.window.setCaption(kStatusLine, " Stand by");
    rig.form.mouseUp("Command1");
    EXPECT_EQ(rig.label(kTxLine), "");
    EXPECT_EQ(rig.label(kRxLine), "");
    EXPECT_EQ(rig.form.vars.RxBuffer, "");
    EXPECT_EQ(rig.form.vars.LastCommand, "C09\r");
    rig.clock.advance(999);
    EXPECT_EQ(rig.label(kStatusLine), " Stand by");
    rig.clock.advance(1);
    EXPECT_EQ(rig.label(kStatusLine), "");
}

TEST_F(HoldRepeatTest, NoMissingReplyMarkAfterAHold) {
    rig.form.mouseDown("Command15");
    rig.clock.advance(60);  // the tick at 50 opened a fresh 25 ms reply window
    rig.form.mouseUp("Command15");
    EXPECT_FALSE(rig.replyWindowTimer.isEnabled());
    // A reply window still running would end within 500 ms and mark the line until the
    // monitor hold clears it 1000 ms after the release.
    rig.clock.advance(600);
    EXPECT_EQ(rig.label(kRxLine), "");
    rig.clock.advance(399);
    EXPECT_EQ(rig.label(kRxLine), "");
    EXPECT_EQ(rig.sent.size(), 2u);
}

TEST_F(HoldRepeatTest, PressReleasedBeforeTheFirstTickSendsOneFrame) {
    EXPECT_EQ(hold("Command6", 499), every(500, 0, "C3F"));
    EXPECT_EQ(hold("Command5", 199), every(200, 0, "C3C"));
}

TEST_F(HoldRepeatTest, TickWithNothingHeldSendsNothing) {
    // A tick still due when the release came, and ticks with numbers the table does not hold.
    for (const std::uint8_t code : {0, 11, 12, 15, 16, 23}) {
        rig.form.vars.RepeatCode = code;
        rig.form.hold.Timer1_Timer();
    }
    EXPECT_TRUE(rig.sent.empty());
    EXPECT_FALSE(rig.repeatTimer.isEnabled());
}

TEST_F(HoldRepeatTest, ArrowsAfterStartUpRepeatAtTheDesignPeriodWithTheDesignWindows) {
    rig.form.mouseDown("Command8");
    EXPECT_EQ(rig.replyWindowTimer.interval(), 500);
    EXPECT_EQ(rig.monitorHoldTimer.interval(), 1000);
    rig.form.mouseUp("Command8");
    EXPECT_EQ(hold("Command8", 600), every(200, 600, "C3A"));
}

TEST_F(HoldRepeatTest, ArrowsTakeThePeriodOfTheLastHold) {
    hold("Command1", 10);
    EXPECT_EQ(hold("Command9", 1000), every(250, 1000, "C3B"));
}

TEST_F(HoldRepeatTest, DZoomReleaseLeavesTheFastestPace) {
    hold("Command48", 1);
    EXPECT_EQ(rig.repeatTimer.interval(), 5);
    EXPECT_EQ(rig.form.vars.PadMode, 3);
    rig.form.mouseDown("Command9");
    EXPECT_EQ(rig.replyWindowTimer.interval(), 5);
    EXPECT_EQ(rig.monitorHoldTimer.interval(), 5);
    rig.form.mouseUp("Command9");
    EXPECT_EQ(hold("Command9", 100), every(5, 100, "C3B"));
}

TEST_F(HoldRepeatTest, ModeButtonsSetThePaceOfTheArrowPad) {
    struct Case {
        const char* mode;
        const char* code;
        int period;
        int replyWindow;
        int monitorHold;
    };
    const Case cases[] = {
        {"Command10", "C80", 50, 50, 75},    {"Command11", "C87", 100, 50, 75},
        {"Command41", "C88", 50, 50, 75},    {"Command13", "C89", 200, 150, 190},
        {"Command23", "C1C", 200, 150, 190},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        rig.sent.clear();
        rig.form.click(c.mode);
        ASSERT_EQ(rig.sent.size(), 1u);
        EXPECT_EQ(rig.sent[0].bytes, std::string(c.code) + '\r');
        EXPECT_FALSE(rig.repeatTimer.isEnabled());
        rig.form.mouseDown("Command5");
        EXPECT_EQ(rig.replyWindowTimer.interval(), c.replyWindow);
        EXPECT_EQ(rig.monitorHoldTimer.interval(), c.monitorHold);
        rig.form.mouseUp("Command5");
        EXPECT_EQ(hold("Command7", 400), every(c.period, 400, "C3D"));
        rig.clock.advance(2000);
    }
}

TEST_F(HoldRepeatTest, PadModeOutlivesOtherHoldsAndTheMenuOffButton) {
    rig.form.click("Command11");  // FOCUS
    hold("Command1", 10);         // VOL + sets the period to 250
    rig.form.click("Command24");  // MENU OFF
    rig.form.mouseDown("Command8");
    EXPECT_EQ(rig.replyWindowTimer.interval(), 50);
    EXPECT_EQ(rig.monitorHoldTimer.interval(), 75);
    rig.form.mouseUp("Command8");
    EXPECT_EQ(hold("Command8", 500), every(250, 500, "C3A"));
}

TEST_F(HoldRepeatTest, ModeClickStartsNoRepetitionEvenAtTheFastestPace) {
    hold("Command49", 1);
    rig.sent.clear();
    rig.form.click("Command10");
    rig.clock.advance(1000);
    ASSERT_EQ(rig.sent.size(), 1u);
    EXPECT_EQ(rig.sent[0].bytes, "C80\r");
    EXPECT_EQ(rig.repeatTimer.interval(), 50);
}

TEST_F(HoldRepeatTest, SecondPressTakesOverAndTheFirstReleaseEndsTheHold) {
    rig.form.mouseDown("Command1");
    rig.clock.advance(100);
    rig.form.mouseDown("Command15");
    rig.clock.advance(100);
    rig.form.mouseUp("Command1");
    rig.clock.advance(1000);
    std::vector<Sent> expected = {{0, "C09\r"}, {100, "C47\r"}, {150, "C47\r"}, {200, "C47\r"}};
    EXPECT_EQ(rig.sent, expected);
}

}  // namespace
}  // namespace zoma
