// What the panel's handlers need of the window: captions, visibility, marks, height, warnings.
#pragma once

#include <string>
#include <string_view>

namespace zoma {

// Controls are named as in the window's control table ("Label11", "Frame8", "Option1").
class WindowServices {
  public:
    virtual ~WindowServices() = default;

    virtual void setCaption(std::string_view control, const std::string& text) = 0;
    virtual std::string caption(std::string_view control) const = 0;

    virtual void setVisible(std::string_view control, bool visible) = 0;
    virtual bool isVisible(std::string_view control) const = 0;

    // Marks an option without raising its click event.
    virtual void setMarked(std::string_view option, bool marked) = 0;
    virtual bool isMarked(std::string_view option) const = 0;

    // Outer height (title bar and frame included), in twips.
    virtual int heightTwips() const = 0;
    virtual void setHeightTwips(int twips) = 0;
    virtual void centreOnScreen() = 0;

    // Modal warning: exclamation icon, one OK button, the window's caption as its title.
    // Returns once the operator has closed it.
    virtual void showWarning(const std::string& text) = 0;

    // Unloads the window and ends the program with exit status 0.
    virtual void endProgram() = 0;
};

}  // namespace zoma
