// A serial port that records what is written and delivers received pieces when told to.
#pragma once

#include <functional>
#include <set>
#include <string>

#include "platform/SerialPort.h"

namespace zoma::testing {

class ScriptedPort : public SerialPort {
  public:
    void setPortNumber(int number) override { portNumber_ = number; }
    int portNumber() const override { return portNumber_; }
    bool setSettings(const std::string& settings) override;
    std::string settings() const override { return settings_; }
    bool open() override;
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool write(const std::string& bytes) override;
    std::string readAll() override;
    std::string errorText() const override { return errorText_; }
    // COM1 and COM2, as on Windows: the port's name is its device's.
    std::string device() const override { return "COM" + std::to_string(portNumber_); }

    // Received bytes: queued and announced with a receive event while the port is open.
    void deliver(const std::string& piece);
    // The open port fails, as an unplugged adapter does.
    void failWhileOpen(const std::string& text);

    // Everything written since the last call.
    std::string takeWritten();

    // Called with every write that goes out, for tests that timestamp the line.
    std::function<void(const std::string& bytes)> onWrite;

    std::set<int> missingPorts;
    std::set<std::string> rejectedSettings;
    // Opens that succeeded, and every open tried.
    int openCount = 0;
    int openAttempts = 0;

  private:
    int portNumber_ = 1;
    std::string settings_ = "9600,N,8,1";
    bool open_ = false;
    std::string errorText_;
    std::string written_;
    std::string pending_;
};

}  // namespace zoma::testing
