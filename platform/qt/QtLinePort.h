// The port the programs open: a serial device or a serial device server's TCP port, picked
// afresh at every open from the device's text.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/OpenFailure.h"
#include "platform/PortNaming.h"
#include "platform/SerialPort.h"
#include "platform/qt/QtSerialLine.h"

namespace zoma {

// Port numbers 1 and 2 open the devices the program resolved for them (or, until it has, what
// portDeviceName says at that moment), unless a device is named outright. A device written
// "tcp://HOST:PORT" is a TCP connection, any other a serial port, so the panel can switch between
// a TCP COM1 and a serial COM2 while it runs. The TCP line is made at the first TCP open (see
// makeTcpLine), so a program on serial ports never loads Qt Network.
class QtLinePort : public SerialPort {
  public:
    QtLinePort();
    ~QtLinePort() override;
    QtLinePort(const QtLinePort&) = delete;
    QtLinePort& operator=(const QtLinePort&) = delete;

    void setDevices(const PortDevices& devices) { devices_ = devices; }
    // A device opened instead of the port number's (zoma-ctl's --port); empty for the number's.
    void setDeviceName(const std::string& device) { deviceName_ = device; }
    void setPortNumber(int number) override { portNumber_ = number; }
    int portNumber() const override { return portNumber_; }
    // Applies at once to an open line, and to every line opened later.
    bool setSettings(const std::string& settings) override;
    std::string settings() const override { return settings_; }
    bool open() override;
    void close() override;
    bool isOpen() const override { return open_ != nullptr && open_->isOpen(); }
    bool write(const std::string& bytes) override;
    std::string readAll() override;
    std::string errorText() const override { return errorText_; }
    // The device the port opens now: "/dev/ttyS0", "tcp://10.0.0.5:4001".
    std::string device() const override;

    // The facts of the last failed open, for callers that word it their own way.
    const OpenFailure& openFailure() const { return openFailure_; }
    // True while a device server is being connected to, inside open().
    bool isOpening() const { return tcpLine_ != nullptr && tcpLine_->isOpening(); }
    // See QtTcpLine::open: the owner that holds user input back while a device server is being
    // connected to.
    void setOpenWait(std::function<void(bool waiting)> handler);

  private:
    std::string deviceToOpen() const;
    // Reports the line's calls back to this port's owner while it is the open one.
    void follow(QtLine& line);
    // The TCP line, made now if it is not yet; nullptr with errorText() and openFailure() set
    // when it cannot be.
    QtLine* tcpLine(const std::string& device);

    QtSerialLine serialLine_;
    std::unique_ptr<QtLine> tcpLine_;
    std::function<void(bool waiting)> openWait_;
    // The line opened last, while it is open.
    QtLine* open_ = nullptr;
    int portNumber_ = 1;
    std::optional<PortDevices> devices_;
    std::string deviceName_;
    std::string settings_ = "9600,N,8,1";
    std::string errorText_;
    OpenFailure openFailure_;
};

}  // namespace zoma
