// The serial line as the panel uses it: port number, line settings, open/close, bytes in and out.
#pragma once

#include <functional>
#include <string>

namespace zoma {

// Bytes travel as std::string, one char per byte: a received byte's value is the character's
// code (0 to 255), NUL included.
class SerialPort {
  public:
    // The port's kind of event, as the panel's receive handler reads it.
    enum CommEvent : int { kReceive = 2 };

    virtual ~SerialPort() = default;

    // 1 or 2. Takes effect at the next open.
    virtual void setPortNumber(int number) = 0;
    virtual int portNumber() const = 0;

    // Line settings text such as "19200,N,8,1". Applies at once to an open port. On failure
    // returns false, leaves the settings as they were and errorText() says why.
    virtual bool setSettings(const std::string& settings) = 0;
    virtual std::string settings() const = 0;

    // Opens the port with the current number and settings; on failure returns false and
    // errorText() holds the platform's message.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Hands the bytes to the operating system before returning.
    virtual bool write(const std::string& bytes) = 0;
    // Everything waiting, emptying the receive buffer.
    virtual std::string readAll() = 0;

    virtual std::string errorText() const = 0;

    // The device the port opens for its number ("/dev/ttyS0", "tcp://10.0.0.5:4001", "COM1"),
    // for messages about the line.
    virtual std::string device() const = 0;

    // Raised with kReceive as soon as at least one byte waits.
    std::function<void(int commEvent)> onCommEvent;
    // Raised once when an open port fails (device gone, I/O error, connection closed) with the
    // system's reason, after the handler that met the failure has returned; the port is closed
    // by then.
    std::function<void(const std::string& reason)> onFailure;
};

}  // namespace zoma
