// zoma-panel: the remote-control panel of the ZOMA LT540 and LT47 projectors.
#include <QApplication>

#include "platform/QtSerialPort.h"
#include "platform/QtTimer.h"
#include "window/EventBinding.h"
#include "window/Fonts.h"
#include "window/Form1.h"
#include "window/Form1Window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    zoma::installFontSubstitutes();

    zoma::Form1Window window;
    zoma::QtSerialPort port;
    zoma::QtTimer timer1, timer2, timer3, timer4;
    zoma::Form1 form({port, timer1, timer2, timer3, timer4, window});
    zoma::bindControls(window, form);

    form.Form_Load();
    window.show();
    const int status = app.exec();
    port.close();
    return status;
}
