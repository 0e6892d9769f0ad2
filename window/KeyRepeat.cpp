// XKB's detectable auto-repeat on Qt's own X connection, where the program runs on X11.
#include "window/KeyRepeat.h"

#include <QGuiApplication>

#if defined(ZOMA_WITH_X11) && QT_CONFIG(xcb)
// After Qt's headers: Xlib's macros (KeyPress, Bool) would clash with Qt's names.
#include <X11/XKBlib.h>
#endif

namespace zoma {

void reportKeyRepeatsAsPresses() {
#if defined(ZOMA_WITH_X11) && QT_CONFIG(xcb)
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->display() == nullptr) return;
    // A server without XKB keeps the release and press pairs, which Qt flags as best it can.
    Bool supported = False;
    XkbSetDetectableAutoRepeat(x11->display(), True, &supported);
#endif
}

}  // namespace zoma
