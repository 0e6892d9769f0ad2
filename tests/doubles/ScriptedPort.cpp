// Scripted serial port for the link's tests.
#include "doubles/ScriptedPort.h"

namespace zoma::testing {

bool ScriptedPort::setSettings(const std::string& settings) {
    if (rejectedSettings.count(settings) != 0) {
        errorText_ = "The device does not support " + settings;
        return false;
    }
    settings_ = settings;
    return true;
}

bool ScriptedPort::open() {
    ++openAttempts;
    if (missingPorts.count(portNumber_) != 0) {
        errorText_ = "No such file or directory";
        return false;
    }
    open_ = true;
    ++openCount;
    return true;
}

bool ScriptedPort::write(const std::string& bytes) {
    if (!open_) return false;
    written_ += bytes;
    if (onWrite) onWrite(bytes);
    return true;
}

std::string ScriptedPort::readAll() {
    std::string data;
    data.swap(pending_);
    return data;
}

void ScriptedPort::deliver(const std::string& piece) {
    pending_ += piece;
    if (open_ && onCommEvent) onCommEvent(kReceive);
}

void ScriptedPort::failWhileOpen(const std::string& text) {
    open_ = false;
    errorText_ = text;
    if (onFailure) onFailure(text);
}

std::string ScriptedPort::takeWritten() {
    std::string data;
    data.swap(written_);
    return data;
}

}  // namespace zoma::testing
