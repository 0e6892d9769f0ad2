// Connects every control of the window to its handler on the form.
#pragma once

namespace zoma {

class Form1;
class Form1Window;

void bindControls(Form1Window& window, Form1& form);

}  // namespace zoma
