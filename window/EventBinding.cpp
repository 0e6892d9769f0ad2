// Held buttons act on press and release, every other button and option on click.
#include "window/EventBinding.h"

#include <QRadioButton>

#include "form/ControlTable.h"
#include "form/Form1.h"
#include "window/Form1Window.h"
#include "window/PanelButton.h"

namespace zoma {

void bindControls(Form1Window& window, Form1& form) {
    for (const ControlRow& row : form1Controls()) {
        const std::string_view name = row.name;
        QWidget* widget = window.control(name);
        if (auto* button = qobject_cast<PanelButton*>(widget)) {
            if (Form1::isHeldButton(name)) {
                // Command<N>_MouseDown and Command<N>_MouseUp, from a mouse button or from Space;
                // a held button has no click, so Enter, which only clicks, sends nothing.
                QObject::connect(button, &PanelButton::mouseDown, &window,
                                 [&form, name] { form.mouseDown(name); });
                QObject::connect(button, &PanelButton::mouseUp, &window,
                                 [&form, name] { form.mouseUp(name); });
            } else {
                // Command<N>_Click
                QObject::connect(button, &QAbstractButton::clicked, &window,
                                 [&form, name] { form.click(name); });
            }
        } else if (auto* option = qobject_cast<QRadioButton*>(widget)) {
            // Option<N>_Click: raised when the option becomes marked by the operator (mouse,
            // Space, arrow keys), not by a click on the option already marked, nor by the form's
            // own marking, which the window makes without signals.
            QObject::connect(option, &QAbstractButton::toggled, &window, [&form, name](bool on) {
                if (on) form.click(name);
            });
        }
    }
    window.onKeyDown = [&form](int keyCode, int shift) { form.Form_KeyDown(keyCode, shift); };
}

}  // namespace zoma
