// Connects to a device server, carries the bytes, and reports a connection that is lost.
#include "platform/qt/QtTcpLine.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QNetworkProxy>

#include "platform/LineSettings.h"
#include "platform/TcpDevice.h"
#include "platform/qt/TcpConnect.h"

namespace zoma {

QtTcpLine::QtTcpLine(QObject* parent) : QtLine(parent) {
    // Straight to the device server: a proxy would not carry a raw line unchanged.
    socket_.setProxy(QNetworkProxy::NoProxy);
    // Bytes from the device server raise the same receive event as bytes from a serial line.
    connect(&socket_, &QTcpSocket::readyRead, this, &QtTcpLine::announceReceived);
    connect(&socket_, &QTcpSocket::errorOccurred, this, &QtTcpLine::onError);
    connect(&socket_, &QTcpSocket::disconnected, this,
            [this] { lineFailed("The device server closed the connection"); });
}

QtTcpLine::~QtTcpLine() {
    onOpenWait = nullptr;
    // A connected socket still says it has disconnected while it is destroyed, after what its
    // handlers use is gone.
    socket_.disconnect(this);
}

bool QtTcpLine::setSettings(const std::string& settings) {
    if (!parseLineSettings(settings)) {
        errorText_ = "Invalid line settings: " + settings;
        return false;
    }
    settings_ = settings;
    return true;
}

bool QtTcpLine::open() {
    if (open_) return true;
    if (connecting_) {
        // Nothing the window runs while a connection is awaited opens a port; should anything
        // try, it waits for the open under way rather than starting a second one.
        errorText_ = "The port is still being opened";
        return false;
    }
    const TcpDeviceParse parsed = parseTcpDevice(device_);
    if (!parsed.device) {
        OpenFailure failure;
        failure.kind = OpenFailureKind::MalformedDevice;
        failure.reason = "Malformed TCP device: " + parsed.error;
        failure.device = device_;
        return failOpen(failure);
    }
    connecting_ = true;
    const bool inputHeldByOwner = static_cast<bool>(onOpenWait);
    if (inputHeldByOwner) onOpenWait(true);
    std::optional<OpenFailure> failure =
        connectTcp(socket_, *parsed.device, kTcpConnectLimitMs,
                   inputHeldByOwner ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    connecting_ = false;
    if (inputHeldByOwner && onOpenWait) onOpenWait(false);
    if (failure) {
        failure->device = device_;
        return failOpen(*failure);
    }
    open_ = true;
    // Bytes the server sent as the connection came up raised no receive event while the line
    // was not open yet.
    if (socket_.bytesAvailable() > 0) {
        QMetaObject::invokeMethod(this, &QtTcpLine::announceReceived, Qt::QueuedConnection);
    }
    return true;
}

void QtTcpLine::closeLine() {
    if (!open_) return;
    open_ = false;
    // At once, without a goodbye: nothing more goes to the projector.
    socket_.abort();
}

bool QtTcpLine::write(const std::string& bytes) {
    if (!open_) return false;
    const qint64 written = socket_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    // Hand the frame to the operating system now, not one event-loop turn later.
    socket_.flush();
    // A line that failed during the write has been closed by now.
    return open_ && written == static_cast<qint64>(bytes.size());
}

std::string QtTcpLine::readAll() {
    if (!open_) return {};
    const QByteArray data = socket_.readAll();
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

void QtTcpLine::onError(QAbstractSocket::SocketError) {
    // Every error of a connected socket ends the connection: the server closed it, the network
    // cut it, or a write could not be sent.
    if (open_) lineFailed(socket_.errorString().toStdString());
}

}  // namespace zoma
