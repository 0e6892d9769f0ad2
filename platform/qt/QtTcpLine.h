// A serial device server's raw TCP port as the line: bytes unchanged both ways, no proxy.
#pragma once

#include <QTcpSocket>

#include "platform/qt/QtLine.h"

namespace zoma {

class QtTcpLine : public QtLine {
    Q_OBJECT
  public:
    explicit QtTcpLine(QObject* parent = nullptr);
    ~QtTcpLine() override;

    // Kept, but the device server's own setting decides the line's speed.
    bool setSettings(const std::string& settings) override;
    // Connects to the device, waiting for the connection without blocking the event loop (see
    // connectTcp). A failed open leaves errorText() with the warning box's whole text.
    //
    // While onOpenWait is set (raised with true before the wait, false once it has ended,
    // connected or not), the wait runs every event, user input included, and its owner holds the
    // user's input back itself (a window defers its clicks and keys); without it the wait leaves
    // user input for later, as it cannot know what input would do.
    bool open() override;
    void close() override { closeLine(); }
    bool isOpen() const override { return open_; }
    bool write(const std::string& bytes) override;
    std::string readAll() override;

    // True while the device server is being connected to, inside open().
    bool isOpening() const override { return connecting_; }

  private:
    void onError(QAbstractSocket::SocketError error);
    void closeLine() override;

    QTcpSocket socket_;
    // Unset first thing when the line closes, as for a serial port.
    bool open_ = false;
    bool connecting_ = false;
};

}  // namespace zoma
