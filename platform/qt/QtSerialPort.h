// The serial line on QSerialPort: no flow control, DTR asserted, RTS not, NULs kept.
#pragma once

#include <QObject>
#include <QSerialPort>
#include <optional>

#include "platform/PortNaming.h"
#include "platform/SerialPort.h"

namespace zoma {

class QtSerialPort : public QObject, public SerialPort {
    Q_OBJECT
  public:
    explicit QtSerialPort(QObject* parent = nullptr);
    ~QtSerialPort() override;

    // The devices the program resolved for ports 1 and 2. Until they are given, every opening
    // resolves its port afresh (portDeviceName).
    void setDevices(const PortDevices& devices) { devices_ = devices; }
    void setPortNumber(int number) override { portNumber_ = number; }
    // A device opened instead of the port number's (zoma-ctl's --port); empty for the number's.
    void setDeviceName(const std::string& device) { deviceName_ = device; }
    int portNumber() const override { return portNumber_; }
    bool setSettings(const std::string& settings) override;
    std::string settings() const override { return settings_; }
    bool open() override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    bool write(const std::string& bytes) override;
    std::string readAll() override;
    std::string errorText() const override { return errorText_; }

  private:
    bool applySettings(const std::string& settings);
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    int portNumber_ = 1;
    std::optional<PortDevices> devices_;
    std::string deviceName_;
    std::string settings_ = "9600,N,8,1";
    std::string errorText_;
    // Set while the port is being closed after a failure, so its errors are not reported again.
    bool failing_ = false;
};

}  // namespace zoma
