// A serial port's line on Qt SerialPort: no flow control, DTR on, RTS off, NULs kept.
#pragma once

#include <QSerialPort>

#include "platform/qt/QtLine.h"

namespace zoma {

class QtSerialLine : public QtLine {
    Q_OBJECT
  public:
    explicit QtSerialLine(QObject* parent = nullptr);
    ~QtSerialLine() override;

    // Applies at once to an open port, and at the next open to a closed one.
    bool setSettings(const std::string& settings) override;
    // Opens the device by its path: a bare name such as "ttyUSB0" is /dev/ttyUSB0.
    bool open() override;
    void close() override { closeLine(); }
    bool isOpen() const override { return open_; }
    bool write(const std::string& bytes) override;
    std::string readAll() override;
    std::string device() const override;

  private:
    bool applySettings(const std::string& settings);
    void onError(QSerialPort::SerialPortError error);
    void closeLine() override;

    QSerialPort serial_;
    // Unset first thing when the line closes: whatever the port reports while it closes is not
    // a failure of the line.
    bool open_ = false;
};

}  // namespace zoma
