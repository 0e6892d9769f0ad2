// Renders the receive buffer onto the RX line as it grows.
#include "link/RxLine.h"

#include "replies/MonitorText.h"
#include "vocabulary/Roles.h"

namespace zoma {

const std::string& RxLine::show(const std::string& text) {
    const bool continues = text.size() >= source_.size() &&
                           std::string_view(text).substr(0, source_.size()) == source_;
    if (!continues) {
        source_ = text;
        monitor_ = monitorText(text);
        showsMonitor_ = false;
    } else if (text.size() > source_.size()) {
        appendMonitorTokens(monitor_, std::string_view(text).substr(source_.size()));
        source_.append(text, source_.size());
        showsMonitor_ = false;
    }
    // A receipt that added nothing costs no copy of a long line.
    if (!showsMonitor_) {
        window_.setCaption(kRxLine, monitor_);
        showsMonitor_ = true;
    }
    return monitor_;
}

void RxLine::showMark(const std::string& mark) {
    put(mark);
}

void RxLine::clear() {
    put("");
}

void RxLine::bufferCleared() {
    source_.clear();
    monitor_ = " ";
    showsMonitor_ = false;
}

void RxLine::put(const std::string& text) {
    window_.setCaption(kRxLine, text);
    showsMonitor_ = false;
}

}  // namespace zoma
