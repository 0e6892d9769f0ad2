// Port and speed choices on the scripted port, including failures and recovery.
#include "link/PortSelection.h"

#include <gtest/gtest.h>

#include "doubles/FormRig.h"

namespace zoma {
namespace {

using testing::FormRig;

class PortSelectionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.load();
        rig.form.click(kComButton);  // the port panel is up while choosing
    }
    FormRig rig;
};

TEST_F(PortSelectionTest, ChoosingAPortReopensOnItAndHidesThePanel) {
    rig.form.click(kOptionCom2);
    EXPECT_TRUE(rig.port.isOpen());
    EXPECT_EQ(rig.port.portNumber(), 2);
    EXPECT_FALSE(rig.window.isVisible(kPortPanel));
    EXPECT_TRUE(rig.window.warnings.empty());
    rig.form.click("Command17");
    EXPECT_EQ(rig.port.takeWritten(), "C00\r");

    // The port already in use: closed and opened again.
    const int opens = rig.port.openCount;
    rig.form.click(kComButton);
    rig.form.click(kOptionCom2);
    EXPECT_EQ(rig.port.openCount, opens + 1);
    EXPECT_FALSE(rig.window.isVisible(kPortPanel));
}

TEST_F(PortSelectionTest, FailedChoiceKeepsTheWorkingLine) {
    rig.port.missingPorts = {2};
    bool openDuringWarning = true;
    rig.window.whileWarningShown = [&] { openDuringWarning = rig.port.isOpen(); };
    rig.window.setMarked(kOptionCom2, true);  // the operator's click marks it
    rig.form.click(kOptionCom2);
    ASSERT_EQ(rig.window.warnings.size(), 1u);
    EXPECT_EQ(rig.window.warnings[0], "No such file or directory");
    EXPECT_FALSE(openDuringWarning);
    EXPECT_TRUE(rig.port.isOpen());
    EXPECT_EQ(rig.port.portNumber(), 1);
    EXPECT_TRUE(rig.window.isMarked(kOptionCom1));
    EXPECT_FALSE(rig.window.isMarked(kOptionCom2));
    EXPECT_TRUE(rig.window.isVisible(kPortPanel));
    rig.form.click("Command18");
    EXPECT_EQ(rig.port.takeWritten(), "C02\r");
}

TEST_F(PortSelectionTest, FailedChoiceWhoseReopeningFailsLeavesThePortClosed) {
    rig.port.missingPorts = {2};
    rig.window.whileWarningShown = [&] { rig.port.missingPorts.insert(1); };
    rig.form.click(kOptionCom2);
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_EQ(rig.port.portNumber(), 1);
    EXPECT_EQ(rig.window.warnings.size(), 1u);
    // Once the device is back, choosing a port recovers the line without a restart.
    rig.port.missingPorts.clear();
    rig.form.click(kOptionCom2);
    EXPECT_TRUE(rig.port.isOpen());
    EXPECT_EQ(rig.port.portNumber(), 2);
}

TEST(PortSelectionStartUp, ChoiceAfterAFailedStartUpOpensTheChosenPort) {
    FormRig rig;
    rig.port.missingPorts = {1};
    rig.form.Form_Load();
    ASSERT_EQ(rig.window.warnings.size(), 1u);
    rig.form.click(kOptionCom2);
    EXPECT_TRUE(rig.port.isOpen());
    EXPECT_EQ(rig.port.portNumber(), 2);
    // Choosing the missing port again reports it and keeps the working one.
    rig.form.click(kOptionCom1);
    EXPECT_EQ(rig.window.warnings.size(), 2u);
    EXPECT_TRUE(rig.port.isOpen());
    EXPECT_EQ(rig.port.portNumber(), 2);
    EXPECT_TRUE(rig.window.isMarked(kOptionCom2));
}

TEST(PortSelectionStartUp, WithoutALineNeitherPortIsMarkedSoEitherChoiceTriesAgain) {
    FormRig rig;
    rig.port.missingPorts = {1, 2};
    rig.form.Form_Load();
    EXPECT_FALSE(rig.window.isMarked(kOptionCom1));
    rig.form.click(kOptionCom2);
    EXPECT_EQ(rig.window.warnings.size(), 2u);
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_EQ(rig.port.portNumber(), 1);
    EXPECT_FALSE(rig.window.isMarked(kOptionCom1));
    EXPECT_FALSE(rig.window.isMarked(kOptionCom2));

    rig.port.missingPorts.clear();
    rig.form.click(kOptionCom1);
    EXPECT_TRUE(rig.port.isOpen());
    EXPECT_EQ(rig.port.portNumber(), 1);
}

TEST_F(PortSelectionTest, SpeedChoiceAppliesAtOnceToTheOpenPort) {
    const int opens = rig.port.openCount;
    rig.form.click(kOption9600);
    EXPECT_EQ(rig.port.settings(), "9600,N,8,1");
    EXPECT_EQ(rig.form.vars.CommSettings, "9600,N,8,1");
    EXPECT_EQ(rig.port.openCount, opens);
    EXPECT_TRUE(rig.port.isOpen());
    EXPECT_FALSE(rig.window.isVisible(kPortPanel));
    // A later port choice keeps the speed.
    rig.form.click(kOptionCom2);
    EXPECT_EQ(rig.port.settings(), "9600,N,8,1");
    rig.form.click(kOption19200);
    EXPECT_EQ(rig.port.settings(), "19200,N,8,1");
}

TEST_F(PortSelectionTest, RejectedSpeedChangesNothing) {
    rig.port.rejectedSettings = {"9600,N,8,1"};
    rig.window.setMarked(kOption9600, true);
    rig.form.click(kOption9600);
    ASSERT_EQ(rig.window.warnings.size(), 1u);
    EXPECT_EQ(rig.window.warnings[0], "The device does not support 9600,N,8,1");
    EXPECT_EQ(rig.form.vars.CommSettings, "19200,N,8,1");
    EXPECT_EQ(rig.port.settings(), "19200,N,8,1");
    EXPECT_TRUE(rig.window.isMarked(kOption19200));
    EXPECT_TRUE(rig.port.isOpen());
}

TEST_F(PortSelectionTest, PanelHidesOnChoiceAndItsTimerTicksWithoutEffect) {
    rig.clock.advance(1000);
    rig.form.click(kOption19200);
    EXPECT_FALSE(rig.window.isVisible(kPortPanel));
    EXPECT_TRUE(rig.panelHideTimer.isEnabled());
    rig.clock.advance(4000);
    EXPECT_FALSE(rig.panelHideTimer.isEnabled());
    EXPECT_FALSE(rig.window.isVisible(kPortPanel));
}

}  // namespace
}  // namespace zoma
