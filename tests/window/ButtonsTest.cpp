// The real window on a virtual clock and a scripted port: every control through its widget.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "form/ControlTable.h"
#include "window/ShownWindow.h"

namespace zoma {
namespace {

class ButtonsTest : public testing::ShownWindowTest {};

TEST_F(ButtonsTest, EveryClickButtonSendsItsFrame) {
    const struct {
        const char* control;
        const char* code;
    } buttons[] = {
        {"Command17", "C00"}, {"Command18", "C02"}, {"Command40", "C05"}, {"Command63", "C22"},
        {"Command28", "C06"}, {"Command29", "C07"}, {"Command27", "C25"}, {"Command4", "C08"},
        {"Command14", "C24"}, {"Command66", "C26"}, {"Command19", "C0B"}, {"Command20", "C0C"},
        {"Command21", "C0D"}, {"Command22", "C0E"}, {"Command25", "C43"}, {"Command26", "C44"},
        {"Command24", "C1D"}, {"Command31", "C0F"}, {"Command32", "C10"}, {"Command73", "C27"},
        {"Command39", "C8A"}, {"Command3", "C1E"},  {"Command44", "CR0"}, {"Command45", "CR1"},
        {"Command46", "CR3"}, {"Command47", "CR4"}, {"Command38", "CR6"}, {"Command52", "C01"},
        {"Command10", "C80"}, {"Command11", "C87"}, {"Command41", "C88"}, {"Command13", "C89"},
        {"Command23", "C1C"},
    };
    for (const auto& b : buttons) {
        click(b.control);
        EXPECT_EQ(rig.port.takeWritten(), std::string(b.code) + '\r') << b.control;
        EXPECT_EQ(rig.form.vars.LastCommand, std::string(b.code) + '\r') << b.control;
        // A right click is no click.
        click(b.control, Qt::RightButton);
        EXPECT_EQ(rig.port.takeWritten(), "") << b.control;
    }
    EXPECT_FALSE(rig.repeatTimer.isEnabled());
}

TEST_F(ButtonsTest, HeldButtonsRepeatForAnyMouseButton) {
    const struct {
        const char* control;
        const char* code;
    } held[] = {
        {"Command1", "C09"},  {"Command2", "C0A"},  {"Command5", "C3C"},  {"Command7", "C3D"},
        {"Command9", "C3B"},  {"Command8", "C3A"},  {"Command15", "C47"}, {"Command35", "C46"},
        {"Command36", "C4B"}, {"Command37", "C4A"}, {"Command6", "C3F"},  {"Command30", "C3E"},
        {"Command48", "C30"}, {"Command49", "C31"}, {"Command50", "C8E"}, {"Command51", "C8F"},
        {"Command59", "C5D"}, {"Command62", "C5E"},
    };
    for (const auto& h : held) {
        SCOPED_TRACE(h.control);
        const std::string frame = std::string(h.code) + '\r';
        for (Qt::MouseButton mouse : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            QTest::mousePress(button(h.control), mouse);
            EXPECT_TRUE(rig.repeatTimer.isEnabled());
            rig.clock.advance(600);
            const std::string sent = rig.port.takeWritten();
            EXPECT_GE(sent.size(), 2 * frame.size());
            EXPECT_EQ(sent.substr(0, 4), frame);
            QTest::mouseRelease(button(h.control), mouse);
            EXPECT_FALSE(rig.repeatTimer.isEnabled());
            rig.clock.advance(2000);
            EXPECT_EQ(rig.port.takeWritten(), "");
        }
    }
}

// A key event as the platform delivers it; X11 flags both halves of an auto-repeat.
void sendKey(QWidget* widget, QEvent::Type type, Qt::Key key, bool autoRepeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, key == Qt::Key_Space ? " " : "", autoRepeat);
    QApplication::sendEvent(widget, &event);
}

TEST_F(ButtonsTest, SpaceHoldsAHeldButtonAtThePanelsOwnPace) {
    int spacesPreviewed = 0;
    const auto forward = window.onKeyDown;
    window.onKeyDown = [&](int key, int shift) {
        if (key == Qt::Key_Space) ++spacesPreviewed;
        forward(key, shift);
    };
    QAbstractButton* volumeUp = button("Command1");
    volumeUp->setFocus();
    const std::int64_t start = rig.clock.now();
    sendKey(volumeUp, QEvent::KeyPress, Qt::Key_Space);
    // The keyboard repeats far faster than the panel does, in flagged release and press pairs or,
    // with XKB's detectable repeat, in presses alone; none of its repeats is a new press.
    for (int step = 0; step < 20; ++step) {
        rig.clock.advance(30);
        if (step < 10) {
            sendKey(volumeUp, QEvent::KeyRelease, Qt::Key_Space, true);
            sendKey(volumeUp, QEvent::KeyPress, Qt::Key_Space, true);
        } else {
            sendKey(volumeUp, QEvent::KeyPress, Qt::Key_Space);
        }
    }
    sendKey(volumeUp, QEvent::KeyRelease, Qt::Key_Space);
    rig.clock.advance(2000);
    const std::vector<testing::FormRig::Sent> expected = {
        {start, "C09\r"}, {start + 250, "C09\r"}, {start + 500, "C09\r"}};
    EXPECT_EQ(rig.sent, expected);
    EXPECT_FALSE(volumeUp->isDown());
    // The key preview saw the press and every repeat first, and consumed none of them.
    EXPECT_EQ(spacesPreviewed, 21);

    // Enter only clicks, and a held button has no click.
    rig.port.takeWritten();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) QTest::keyClick(volumeUp, key);
    rig.clock.advance(1000);
    EXPECT_EQ(rig.port.takeWritten(), "");

    // One-shot and mode buttons click on Space and Enter as before.
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        for (const auto& [control, frame] :
             {std::pair{"Command17", "C00\r"}, {"Command10", "C80\r"}}) {
            button(control)->setFocus();
            QTest::keyClick(button(control), key);
            EXPECT_EQ(rig.port.takeWritten(), frame) << control;
        }
    }
    EXPECT_FALSE(rig.repeatTimer.isEnabled());
}

TEST_F(ButtonsTest, KeyboardHoldEndsWhenTheFocusLeaves) {
    QAbstractButton* volumeUp = button("Command1");
    volumeUp->setFocus();
    sendKey(volumeUp, QEvent::KeyPress, Qt::Key_Space);
    rig.clock.advance(300);
    // Tab takes the focus on to "-" under "VOL"; Space is released there.
    QTest::keyClick(volumeUp, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), window.control("Command2"));
    EXPECT_EQ(rig.form.vars.RepeatCode, 0);
    EXPECT_FALSE(rig.repeatTimer.isEnabled());
    EXPECT_FALSE(volumeUp->isDown());
    sendKey(window.control("Command2"), QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(rig.port.takeWritten(), "C09\rC09\r");
    rig.clock.advance(2000);
    EXPECT_EQ(rig.port.takeWritten(), "");
}

TEST_F(ButtonsTest, HoldEndsWhenItsReleaseCanNoLongerArrive) {
    auto expectHoldEnded = [&](const char* how) {
        SCOPED_TRACE(how);
        EXPECT_EQ(rig.form.vars.RepeatCode, 0);
        EXPECT_FALSE(rig.repeatTimer.isEnabled());
        EXPECT_EQ(rig.replyWindowTimer.interval(), 500);
        EXPECT_EQ(rig.monitorHoldTimer.interval(), 1000);
        rig.port.takeWritten();
        rig.clock.advance(2000);
        EXPECT_EQ(rig.port.takeWritten(), "");
    };

    // A modal box takes the pointer.
    QTest::mousePress(button("Command1"), Qt::LeftButton);
    rig.clock.advance(300);
    window.showWarning("Input/output error");
    expectHoldEnded("warning box");
    // The late release, if it ever comes, changes nothing more.
    click("Command17");
    QTest::mouseRelease(button("Command1"), Qt::LeftButton);
    EXPECT_EQ(rig.label(kTxLine), " C 0 0 CR ");

    // The window is hidden.
    QTest::mousePress(button("Command59"), Qt::RightButton);
    rig.clock.advance(120);
    window.hide();
    expectHoldEnded("hidden");
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    // Another window becomes active.
    QTest::mousePress(button("Command15"), Qt::LeftButton);
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    expectHoldEnded("deactivated");
}

TEST_F(ButtonsTest, CtrlJFromAFocusedButtonEnlargesTheWindowAndTheToggleSwitchesIt) {
    int jPresses = 0;
    const auto forward = window.onKeyDown;
    window.onKeyDown = [&](int key, int shift) {
        if (key == Qt::Key_J) ++jPresses;
        forward(key, shift);
    };
    QAbstractButton* focused = button("Command17");
    focused->setFocus();
    QTest::keyClick(focused, Qt::Key_J);
    QTest::keyClick(focused, Qt::Key_J, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(focused, Qt::Key_J, Qt::ControlModifier | Qt::AltModifier);
    QTest::keyClick(focused, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(window.heightTwips(), 5200);
    EXPECT_FALSE(window.control(kDataToggle)->isVisible());

    QTest::keyClick(focused, Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(jPresses, 4);
    EXPECT_EQ(window.heightTwips(), 7000);
    EXPECT_EQ(window.frameGeometry().height(), 467);
    EXPECT_TRUE(window.control(kDataToggle)->isVisible());
    EXPECT_EQ(button(kDataToggle)->text(), "CLOSE");

    click(kDataToggle);
    EXPECT_EQ(window.heightTwips(), 5200);
    EXPECT_EQ(window.frameGeometry().height(), 347);
    EXPECT_EQ(button(kDataToggle)->text(), QString::fromUtf8("データを表示する"));
    // Out of the mouse's reach now, but still reachable by keyboard.
    button(kDataToggle)->setFocus();
    QTest::keyClick(button(kDataToggle), Qt::Key_Space);
    EXPECT_EQ(window.heightTwips(), 6645);
    EXPECT_EQ(button(kDataToggle)->text(), QString::fromUtf8("データを表示しない"));
    // The key preview never consumes a key: the focused button still gets its Space.
    EXPECT_EQ(rig.port.takeWritten(), "");
    focused->setFocus();
    QTest::keyClick(focused, Qt::Key_Space);
    EXPECT_EQ(rig.port.takeWritten(), "C00\r");
}

TEST_F(ButtonsTest, ComShowsThePortPanelAndTheOptionsChooseThroughTheirWidgets) {
    click(kComButton);
    EXPECT_TRUE(window.control(kPortPanel)->isVisible());
    click(kOption9600);
    EXPECT_EQ(rig.port.settings(), "9600,N,8,1");
    EXPECT_FALSE(window.control(kPortPanel)->isVisible());
    click(kComButton);
    click(kOptionCom2);
    EXPECT_EQ(rig.port.portNumber(), 2);
    EXPECT_TRUE(button(kOptionCom2)->isChecked());
    EXPECT_FALSE(button(kOptionCom1)->isChecked());
    EXPECT_TRUE(button(kOption9600)->isChecked());
    EXPECT_FALSE(window.control(kPortPanel)->isVisible());

    // A failure puts the mark back on the port in use.
    rig.port.missingPorts = {1};
    click(kComButton);
    click(kOptionCom1);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(button(kOptionCom2)->isChecked());
    EXPECT_FALSE(button(kOptionCom1)->isChecked());
    EXPECT_TRUE(window.control(kPortPanel)->isVisible());
    rig.clock.advance(5000);
    EXPECT_FALSE(window.control(kPortPanel)->isVisible());
}

TEST_F(ButtonsTest, AnOptionActsOnlyWhenItBecomesMarked) {
    // A click on the marked port or speed is no choice: the line stays as it is, nothing
    // waiting on it is dropped, and the panel stays until its timer hides it.
    const int opens = rig.port.openCount;
    click(kComButton);
    rig.clock.advance(1000);
    for (const std::string_view marked : {kOptionCom1, kOption19200}) {
        click(marked);
        QTest::keyClick(button(marked), Qt::Key_Space);
        EXPECT_TRUE(button(marked)->isChecked()) << marked;
    }
    EXPECT_EQ(rig.port.openCount, opens);
    EXPECT_TRUE(rig.port.isOpen());
    EXPECT_EQ(rig.port.settings(), "19200,N,8,1");
    EXPECT_TRUE(window.control(kPortPanel)->isVisible());
    rig.clock.advance(3999);
    EXPECT_TRUE(window.control(kPortPanel)->isVisible());
    rig.clock.advance(1);
    EXPECT_FALSE(window.control(kPortPanel)->isVisible());

    // A line that fails leaves its port unmarked, so choosing it again opens it again.
    rig.port.failWhileOpen("Input/output error");
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_FALSE(button(kOptionCom1)->isChecked());
    EXPECT_TRUE(button(kOption19200)->isChecked());
    click(kComButton);
    click(kOptionCom1);
    EXPECT_TRUE(rig.port.isOpen());
    EXPECT_EQ(rig.port.openCount, opens + 1);
    EXPECT_TRUE(button(kOptionCom1)->isChecked());
    EXPECT_FALSE(window.control(kPortPanel)->isVisible());
}

TEST_F(ButtonsTest, EndClosesThePortAndEndsWithoutSending) {
    click(kEndButton);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_EQ(rig.port.takeWritten(), "");
    EXPECT_FALSE(window.isVisible());
    // END with the port already closed still ends the program, and sends nothing.
    ended = false;
    window.show();
    click(kEndButton);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_EQ(rig.port.takeWritten(), "");
}

}  // namespace
}  // namespace zoma
