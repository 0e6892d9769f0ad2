// The line on QSerialPort (no flow control, DTR on, RTS off, NULs kept), or on TCP for tcp://.
#pragma once

#include <QObject>
#include <QSerialPort>
#include <QTcpSocket>
#include <optional>

#include "platform/OpenFailure.h"
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
    // Kept for a TCP device too, where the device server's own setting decides the speed.
    bool setSettings(const std::string& settings) override;
    std::string settings() const override { return settings_; }
    // A TCP device is connected to; the open waits for it without blocking the event loop (see
    // connectTcp). A failed open leaves errorText() with the warning box's whole text.
    bool open() override;
    void close() override;
    bool isOpen() const override { return line_ != nullptr; }
    bool write(const std::string& bytes) override;
    std::string readAll() override;
    std::string errorText() const override { return errorText_; }
    std::string device() const override;

    // True while a TCP device is being connected to, inside open().
    bool isOpening() const { return connecting_; }
    // Raised with true before open() waits for a device server and with false once the wait has
    // ended, connected or not. While it is set, the wait runs every event, user input included,
    // and its owner holds the user's input back itself (a window defers its clicks and keys);
    // without it the wait leaves user input for later, as it cannot know what input would do.
    std::function<void(bool waiting)> onOpenWait;

    // The facts of the last failed open, for callers that word it their own way (one line on a
    // terminal: openFailureLine).
    const OpenFailure& openFailure() const { return openFailure_; }

  private:
    std::string deviceToOpen() const;
    bool applySettings(const std::string& settings);
    bool openSerial(const std::string& device);
    bool openTcp(const std::string& device);
    bool failOpen(OpenFailure failure);
    void onSerialError(QSerialPort::SerialPortError error);
    void onSocketError(QAbstractSocket::SocketError error);
    // The open line failed: closed at once, reported to onFailure once, from the event loop.
    void lineFailed(const std::string& reason);
    void closeLine();

    QSerialPort serial_;
    QTcpSocket socket_;
    // The open line, serial_ or socket_; nullptr while closed (and while still connecting).
    QIODevice* line_ = nullptr;
    bool connecting_ = false;
    int portNumber_ = 1;
    std::optional<PortDevices> devices_;
    std::string deviceName_;
    std::string settings_ = "9600,N,8,1";
    std::string errorText_;
    OpenFailure openFailure_;
};

}  // namespace zoma
