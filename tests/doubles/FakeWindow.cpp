// Recording window services, starting as the control table designs the window.
#include "doubles/FakeWindow.h"
#include "form/ControlTable.h"

namespace zoma::testing {

FakeWindow::FakeWindow() {
    for (const ControlRow& row : form1Controls()) {
        const std::string name(row.name);
        visible_[name] = !row.hiddenAtStart;
        if (!row.caption.empty()) captions_[name] = std::string(row.caption);
        if (row.kind == Kind::Option) {
            marked_[name] = row.selectedAtStart;
            groups_[name] = std::string(row.container);
        }
    }
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
        for (auto& [other, mark] : marked_) {
            if (groups_[other] == groups_[name]) mark = false;
        }
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
