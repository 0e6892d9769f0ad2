// zoma-bench-startup: zoma-panel's own start (runPanel, as its main() calls it), ended at the
// window's first paint; prints what FirstPaint reports. The benchmark sets the times against the
// moment it spawned this process.
#include "FirstPaint.h"
#include "app/PanelStart.h"
#include "window/Form1Window.h"

int main(int argc, char* argv[]) {
    zoma::PanelStartHooks hooks;
    // Owned by the window: it goes with the panel.
    hooks.beforeShow = [](zoma::Form1Window& window) { new zoma::bench::FirstPaint(window); };
    return zoma::runPanel(argc, argv, hooks);
}
