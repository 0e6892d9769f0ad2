// The "COM" button, the hide timer, the data-toggle button and Ctrl+J.
#include "form/Panels.h"

namespace zoma {

namespace {
constexpr const char* kShowData = "データを表示する";
constexpr const char* kHideData = "データを表示しない";
constexpr const char* kClose = "CLOSE";
}  // namespace

Panels::Panels(Timer& timer3, WindowServices& window) : timer3_(timer3), window_(window) {}

void Panels::Command33_Click() {
    window_.setVisible("Frame8", true);
    timer3_.setEnabled(true);
}

void Panels::Timer3_Timer() {
    window_.setVisible("Frame8", false);
    timer3_.setEnabled(false);
}

void Panels::Command34_Click() {
    timer3_.setEnabled(false);
    if (window_.heightTwips() >= kEnlargedThreshold) {
        window_.setHeightTwips(kNormalHeight);
        window_.setCaption("Command34", kShowData);
    } else {
        window_.setHeightTwips(kDataHeight);
        window_.setCaption("Command34", kHideData);
    }
    timer3_.setEnabled(true);
}

void Panels::Form_KeyDown(int keyCode, int shift) {
    if ((shift & (kShift | kCtrl | kAlt)) != kCtrl || keyCode != kKeyJ) return;
    window_.setHeightTwips(kFullHeight);
    window_.setCaption("Command34", kClose);
    window_.setVisible("Command34", true);
}

}  // namespace zoma
