// The "COM" button, the hide timer, the data-toggle button and Ctrl+J.
#include "form/Panels.h"
#include "vocabulary/Roles.h"

namespace zoma {

namespace {
constexpr const char* kShowData = "データを表示する";
constexpr const char* kHideData = "データを表示しない";
constexpr const char* kClose = "CLOSE";
}  // namespace

Panels::Panels(Timer& panelHideTimer, WindowServices& window)
    : panelHideTimer_(panelHideTimer), window_(window) {}

void Panels::Command33_Click() {
    window_.setVisible(kPortPanel, true);
    panelHideTimer_.setEnabled(true);
}

void Panels::Timer3_Timer() {
    window_.setVisible(kPortPanel, false);
    panelHideTimer_.setEnabled(false);
}

void Panels::Command34_Click() {
    panelHideTimer_.setEnabled(false);
    if (window_.heightTwips() >= kEnlargedThreshold) {
        window_.setHeightTwips(kNormalHeight);
        window_.setCaption(kDataToggle, kShowData);
    } else {
        window_.setHeightTwips(kDataHeight);
        window_.setCaption(kDataToggle, kHideData);
    }
    panelHideTimer_.setEnabled(true);
}

void Panels::Form_KeyDown(int keyCode, int shift) {
    if ((shift & (kShift | kCtrl | kAlt)) != kCtrl || keyCode != kKeyJ) return;
    window_.setHeightTwips(kFullHeight);
    window_.setCaption(kDataToggle, kClose);
    window_.setVisible(kDataToggle, true);
}

}  // namespace zoma
