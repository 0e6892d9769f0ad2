// The port panel's hide timer, the data-toggle button and Ctrl+J, on the virtual clock.
#include "form/Panels.h"

#include <gtest/gtest.h>

#include "doubles/FormRig.h"

namespace zoma {
namespace {

using testing::FormRig;

class PanelsTest : public ::testing::Test {
  protected:
    void SetUp() override { rig.load(); }
    FormRig rig;
};

TEST_F(PanelsTest, ComShowsThePortPanelForFiveSeconds) {
    rig.form.click(kComButton);
    EXPECT_TRUE(rig.window.isVisible(kPortPanel));
    rig.clock.advance(4999);
    EXPECT_TRUE(rig.window.isVisible(kPortPanel));
    rig.clock.advance(1);
    EXPECT_FALSE(rig.window.isVisible(kPortPanel));
    EXPECT_FALSE(rig.panelHideTimer.isEnabled());
}

TEST_F(PanelsTest, DataToggleGivesTheHidePanelTimerAFreshCountdown) {
    rig.form.Form_KeyDown('J', Panels::kCtrl);
    rig.form.click(kComButton);
    rig.clock.advance(3000);
    rig.form.click(kDataToggle);
    rig.clock.advance(4999);
    EXPECT_TRUE(rig.window.isVisible(kPortPanel));
    rig.clock.advance(1);
    EXPECT_FALSE(rig.window.isVisible(kPortPanel));
}

TEST_F(PanelsTest, ChordThenTogglesGiveTheThreeHeightsAndCaptions) {
    EXPECT_EQ(rig.window.height, 5200);
    EXPECT_FALSE(rig.window.isVisible(kDataToggle));
    rig.form.Form_KeyDown('J', Panels::kCtrl);
    EXPECT_EQ(rig.window.height, 7000);
    EXPECT_EQ(rig.label(kDataToggle), "CLOSE");
    EXPECT_TRUE(rig.window.isVisible(kDataToggle));
    rig.form.click(kDataToggle);
    EXPECT_EQ(rig.window.height, 5200);
    EXPECT_EQ(rig.label(kDataToggle), "データを表示する");
    rig.form.click(kDataToggle);
    EXPECT_EQ(rig.window.height, 6645);
    EXPECT_EQ(rig.label(kDataToggle), "データを表示しない");
    rig.form.Form_KeyDown('J', Panels::kCtrl);
    EXPECT_EQ(rig.window.height, 7000);
    EXPECT_EQ(rig.label(kDataToggle), "CLOSE");
    rig.form.Form_KeyDown('J', Panels::kCtrl);
    EXPECT_EQ(rig.window.height, 7000);
    rig.form.click(kDataToggle);
    EXPECT_EQ(rig.window.height, 5200);
    EXPECT_TRUE(rig.window.isVisible(kDataToggle));
}

TEST_F(PanelsTest, OtherKeysAndModifiersChangeNothing) {
    const struct {
        int key;
        int shift;
    } keys[] = {
        {'J', 0},
        {'J', Panels::kCtrl | Panels::kShift},
        {'J', Panels::kCtrl | Panels::kAlt},
        {'J', Panels::kAlt},
        {'K', Panels::kCtrl},
        {'j', Panels::kCtrl},
        {17, Panels::kCtrl},
    };
    for (const auto& k : keys) {
        rig.form.Form_KeyDown(k.key, k.shift);
        EXPECT_EQ(rig.window.height, 5200) << k.key << '/' << k.shift;
        EXPECT_FALSE(rig.window.isVisible(kDataToggle));
    }
    // Bits above Alt do not count.
    rig.form.Form_KeyDown('J', Panels::kCtrl | 8);
    EXPECT_EQ(rig.window.height, 7000);
}

}  // namespace
}  // namespace zoma
