// A window that records captions, visibility, marks, heights and warnings.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/WindowServices.h"

namespace zoma::testing {

class FakeWindow : public WindowServices {
  public:
    FakeWindow();

    void setCaption(std::string_view control, const std::string& text) override;
    std::string caption(std::string_view control) const override;
    void setVisible(std::string_view control, bool visible) override;
    bool isVisible(std::string_view control) const override;
    void setMarked(std::string_view option, bool marked) override;
    bool isMarked(std::string_view option) const override;
    int heightTwips() const override { return height; }
    void setHeightTwips(int twips) override { height = twips; }
    void centreOnScreen() override { centred = true; }
    void showWarning(const std::string& text) override;
    void endProgram() override { ended = true; }

    int height = 7000;
    bool centred = false;
    bool ended = false;
    std::vector<std::string> warnings;
    // Runs while the warning box is up, as the operator's reading time would.
    std::function<void()> whileWarningShown;

  private:
    std::map<std::string, std::string, std::less<>> captions_;
    std::map<std::string, bool, std::less<>> visible_;
    std::map<std::string, bool, std::less<>> marked_;
    // The container of each option: the group in which one marked option clears the others.
    std::map<std::string, std::string, std::less<>> groups_;
};

}  // namespace zoma::testing
