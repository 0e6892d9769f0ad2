// Recording window services, starting as the window is designed.
#include "doubles/FakeWindow.h"

namespace zoma::testing {

FakeWindow::FakeWindow() {
    visible_["Frame8"] = false;
    visible_["Command34"] = false;
    captions_["Command34"] = "データを表示する";
    marked_["Option3"] = true;
}

void FakeWindow::setCaption(std::string_view control, const std::string& text) {
    captions_[std::string(control)] = text;
}

std::string FakeWindow::caption(std::string_view control) const {
    const auto found = captions_.find(control);
    return found == captions_.end() ? std::string() : found->second;
}

void FakeWindow::setVisible(std::string_view control, bool visible) {
    visible_[std::string(control)] = visible;
}

bool FakeWindow::isVisible(std::string_view control) const {
    const auto found = visible_.find(control);
    return found == visible_.end() || found->second;
}

void FakeWindow::setMarked(std::string_view option, bool marked) {
    // Options of one container exclude each other.
    const std::string name(option);
    if (marked) {
        const bool portGroup = name == "Option1" || name == "Option2";
        marked_[portGroup ? "Option1" : "Option3"] = false;
        marked_[portGroup ? "Option2" : "Option4"] = false;
    }
    marked_[name] = marked;
}

bool FakeWindow::isMarked(std::string_view option) const {
    const auto found = marked_.find(option);
    return found != marked_.end() && found->second;
}

void FakeWindow::showWarning(const std::string& text) {
    warnings.push_back(text);
    if (whileWarningShown) whileWarningShown();
}

}  // namespace zoma::testing
