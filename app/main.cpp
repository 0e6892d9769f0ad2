// zoma-panel: the remote-control panel of the ZOMA LT540 and LT47 projectors.
#include <QApplication>

#include "window/Fonts.h"
#include "window/KeyRepeat.h"
#include "window/Panel.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    zoma::installFontSubstitutes();
    // Space held on a held button must look held to the end, repeats and all.
    zoma::reportKeyRepeatsAsPresses();

    zoma::Panel<> panel;
    panel.form.Form_Load();
    panel.window.show();
    const int status = app.exec();
    // Closing the window by other means than END still leaves the line closed.
    panel.port.close();
    return status;
}
