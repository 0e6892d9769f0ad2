// Picks the line for the device at each open and passes everything else to it.
#include "platform/qt/QtLinePort.h"

#include <utility>

#include "platform/TcpDevice.h"
#include "platform/qt/TcpLineLoader.h"

namespace zoma {

QtLinePort::QtLinePort() {
    follow(serialLine_);
}

QtLinePort::~QtLinePort() {
    onCommEvent = nullptr;
    onFailure = nullptr;
}

void QtLinePort::follow(QtLine& line) {
    line.onCommEvent = [this, &line](int event) {
        if (&line == open_ && onCommEvent) onCommEvent(event);
    };
    line.onFailure = [this, &line](const std::string& reason) {
        if (&line != open_) return;
        errorText_ = reason;
        open_ = nullptr;
        if (onFailure) onFailure(reason);
    };
}

void QtLinePort::setOpenWait(std::function<void(bool)> handler) {
    openWait_ = std::move(handler);
    if (tcpLine_) tcpLine_->onOpenWait = openWait_;
}

QtLine* QtLinePort::tcpLine(const std::string& device) {
    if (tcpLine_) return tcpLine_.get();
    std::string why;
    tcpLine_ = makeTcpLine(why);
    if (!tcpLine_) {
        openFailure_ = OpenFailure{};
        openFailure_.reason = "The TCP line cannot be loaded: " + why;
        openFailure_.portNumber = deviceName_.empty() ? portNumber_ : 0;
        openFailure_.device = device;
        errorText_ = openFailureText(openFailure_);
        return nullptr;
    }
    follow(*tcpLine_);
    tcpLine_->onOpenWait = openWait_;
    return tcpLine_.get();
}

std::string QtLinePort::deviceToOpen() const {
    if (!deviceName_.empty()) return deviceName_;
    return devices_ ? devices_->forPort(portNumber_) : portDeviceName(portNumber_);
}

std::string QtLinePort::device() const {
    const std::string device = deviceToOpen();
    return isTcpDevice(device) ? device : serialDevicePath(device);
}

bool QtLinePort::setSettings(const std::string& settings) {
    // A closed port checks them as a serial port would take them, for its next open.
    QtLine& line = isOpen() ? *open_ : static_cast<QtLine&>(serialLine_);
    if (!line.setSettings(settings)) {
        errorText_ = line.errorText();
        return false;
    }
    settings_ = settings;
    return true;
}

bool QtLinePort::open() {
    if (isOpen()) return true;
    const std::string device = deviceToOpen();
    QtLine* const chosen = isTcpDevice(device) ? tcpLine(device) : &serialLine_;
    if (chosen == nullptr) return false;
    QtLine& line = *chosen;
    line.setDevice(device);
    // A device named outright is not one of the numbered ports.
    line.setPortNumber(deviceName_.empty() ? portNumber_ : 0);
    line.setSettings(settings_);
    if (!line.open()) {
        errorText_ = line.errorText();
        openFailure_ = line.openFailure();
        return false;
    }
    open_ = &line;
    return true;
}

void QtLinePort::close() {
    if (open_ == nullptr) return;
    std::exchange(open_, nullptr)->close();
}

bool QtLinePort::write(const std::string& bytes) {
    return isOpen() && open_->write(bytes);
}

std::string QtLinePort::readAll() {
    return isOpen() ? open_->readAll() : std::string();
}

}  // namespace zoma
