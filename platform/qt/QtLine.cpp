// Failures of a line, worded and reported alike for every kind.
#include "platform/qt/QtLine.h"

#include <QMetaObject>
#include <utility>

namespace zoma {

QtLine::~QtLine() {
    // Closing is the owner's business; this only keeps a destroyed line from calling back.
    onCommEvent = nullptr;
    onFailure = nullptr;
}

bool QtLine::failOpen(OpenFailure failure) {
    failure.portNumber = portNumber_;
    errorText_ = openFailureText(failure);
    openFailure_ = std::move(failure);
    return false;
}

void QtLine::lineFailed(const std::string& reason) {
    if (!isOpen()) return;
    errorText_ = reason;
    closeLine();
    QMetaObject::invokeMethod(
        this,
        [this, reason] {
            if (onFailure) onFailure(reason);
        },
        Qt::QueuedConnection);
}

void QtLine::announceReceived() {
    if (isOpen() && onCommEvent) onCommEvent(kReceive);
}

}  // namespace zoma
