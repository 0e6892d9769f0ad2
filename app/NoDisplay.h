// Ends zoma-panel with one line and status 1 when no display can be opened, instead of Qt's
// abort.
#pragma once

#include <string>

namespace zoma {

// Before QApplication: the line to print when the platform is left to Qt's choice (neither
// QT_QPA_PLATFORM nor the -platform option, `platformGiven`, names one) and neither DISPLAY nor
// WAYLAND_DISPLAY names a display; empty otherwise.
std::string missingDisplayText(bool platformGiven);

// Held from just before QApplication is built until it exists. If Qt's platform plugin cannot
// reach the display, it prints one line and exits with status 1 instead of aborting; Qt's own
// warnings of that attempt are dropped. Once the application exists they are passed on as usual.
class DisplayWatch {
  public:
    DisplayWatch();
    ~DisplayWatch();
    DisplayWatch(const DisplayWatch&) = delete;
    DisplayWatch& operator=(const DisplayWatch&) = delete;
};

}  // namespace zoma
