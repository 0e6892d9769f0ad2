// What the two kinds of line have in common: the device they were given, the words of a failed
// open, and a line that fails while open reported once, from the event loop.
#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "platform/OpenFailure.h"
#include "platform/SerialPort.h"

namespace zoma {

class QtLine : public QObject, public SerialPort {
    Q_OBJECT
  public:
    explicit QtLine(QObject* parent = nullptr) : QObject(parent) {}
    ~QtLine() override;

    // The device opened next: a serial device's path or name, or "tcp://HOST:PORT".
    void setDevice(const std::string& device) { device_ = device; }
    // 1 or 2 for messages that name the port; 0 for a device named outright.
    void setPortNumber(int number) override { portNumber_ = number; }
    int portNumber() const override { return portNumber_; }
    std::string device() const override { return device_; }
    std::string settings() const override { return settings_; }
    std::string errorText() const override { return errorText_; }

    // The facts of the last failed open, for callers that word it their own way (one line on a
    // terminal: openFailureLine).
    const OpenFailure& openFailure() const { return openFailure_; }

    // True while open() waits for the other end (a device server); a serial port's open never
    // waits.
    virtual bool isOpening() const { return false; }
    // Raised with true before open() waits for the other end and with false once the wait has
    // ended; see QtTcpLine::open for what it changes. Never raised by a serial port.
    std::function<void(bool waiting)> onOpenWait;

  protected:
    // Records the failure, worded for the warning box, and returns false.
    bool failOpen(OpenFailure failure);
    // The open line failed: closed at once, reported to onFailure once, from the event loop, so
    // that the handler that was sending finishes first.
    void lineFailed(const std::string& reason);
    void announceReceived();
    virtual void closeLine() = 0;

    std::string device_;
    int portNumber_ = 1;
    std::string settings_ = "9600,N,8,1";
    std::string errorText_;
    OpenFailure openFailure_;
};

}  // namespace zoma
