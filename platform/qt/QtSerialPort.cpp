// Opens, configures, reads and writes the serial or TCP line; reports one that fails while open.
#include "platform/qt/QtSerialPort.h"

#include <QEventLoop>
#include <QNetworkProxy>
#include <utility>

#include "platform/LineSettings.h"
#include "platform/PortNaming.h"
#include "platform/TcpDevice.h"
#include "platform/qt/SerialOpenFailure.h"
#include "platform/qt/TcpConnect.h"

namespace zoma {

namespace {

QSerialPort::Parity toQtParity(char parity) {
    switch (parity) {
        case 'E':
            return QSerialPort::EvenParity;
        case 'O':
            return QSerialPort::OddParity;
        case 'M':
            return QSerialPort::MarkParity;
        case 'S':
            return QSerialPort::SpaceParity;
        default:
            return QSerialPort::NoParity;
    }
}

}  // namespace

QtSerialPort::QtSerialPort(QObject* parent) : QObject(parent) {
    serial_.setFlowControl(QSerialPort::NoFlowControl);
    applySettings(settings_);
    connect(&serial_, &QSerialPort::readyRead, this, [this] {
        if (onCommEvent) onCommEvent(kReceive);
    });
    connect(&serial_, &QSerialPort::errorOccurred, this, &QtSerialPort::onSerialError);
    // Straight to the device server: a proxy would not carry a raw line unchanged.
    socket_.setProxy(QNetworkProxy::NoProxy);
    // Bytes from the device server raise the same receive event as bytes from a serial line.
    connect(&socket_, &QTcpSocket::readyRead, this, [this] {
        if (line_ == &socket_ && onCommEvent) onCommEvent(kReceive);
    });
    connect(&socket_, &QTcpSocket::errorOccurred, this, &QtSerialPort::onSocketError);
    connect(&socket_, &QTcpSocket::disconnected, this,
            [this] { lineFailed("The device server closed the connection"); });
}

QtSerialPort::~QtSerialPort() {
    // Closing is the window's business; this only keeps a destroyed port from calling back.
    onCommEvent = nullptr;
    onFailure = nullptr;
    onOpenWait = nullptr;
    // The devices still signal while they are destroyed (a connected socket says it has
    // disconnected), after the members those handlers use are gone.
    serial_.disconnect(this);
    socket_.disconnect(this);
}

std::string QtSerialPort::deviceToOpen() const {
    if (!deviceName_.empty()) return deviceName_;
    return devices_ ? devices_->forPort(portNumber_) : portDeviceName(portNumber_);
}

std::string QtSerialPort::device() const {
    const std::string device = deviceToOpen();
    return isTcpDevice(device) ? device : serialDevicePath(device);
}

bool QtSerialPort::applySettings(const std::string& settings) {
    const auto parsed = parseLineSettings(settings);
    if (!parsed) {
        errorText_ = "Invalid line settings: " + settings;
        return false;
    }
    // A serial port that is closed, or not in use because the line is a TCP connection, keeps
    // them for its next open.
    const bool applied =
        serial_.setBaudRate(parsed->baudRate) && serial_.setParity(toQtParity(parsed->parity)) &&
        serial_.setDataBits(static_cast<QSerialPort::DataBits>(parsed->dataBits)) &&
        serial_.setStopBits(parsed->stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    if (!applied) {
        errorText_ = serial_.errorString().toStdString();
        serial_.clearError();
    }
    return applied;
}

bool QtSerialPort::setSettings(const std::string& settings) {
    const std::string before = settings_;
    if (!applySettings(settings)) {
        applySettings(before);
        return false;
    }
    settings_ = settings;
    return true;
}

bool QtSerialPort::open() {
    if (line_ != nullptr) return true;
    if (connecting_) {
        // Nothing the window runs while a connection is awaited opens a port; should anything
        // try, it waits for the open under way rather than starting a second one.
        errorText_ = "The port is still being opened";
        return false;
    }
    const std::string device = deviceToOpen();
    return isTcpDevice(device) ? openTcp(device) : openSerial(device);
}

bool QtSerialPort::openSerial(const std::string& named) {
    // Opened, and named in messages, by its path: "ttyUSB0" is /dev/ttyUSB0.
    const std::string device = serialDevicePath(named);
    if (serialDevicePathTooLong(device)) {
        // The serial library would first fail to make the lock file and call it a permission
        // error while locking, as for a port in use.
        OpenFailure failure;
        failure.kind = OpenFailureKind::NameTooLong;
        failure.reason = "File name too long";
        failure.device = device;
        return failOpen(failure);
    }
    serial_.setPortName(QString::fromStdString(device));
    if (!serial_.open(QIODevice::ReadWrite)) {
        const OpenFailure failure =
            serialOpenFailure(serial_.error(), serial_.errorString(), device);
        serial_.clearError();
        return failOpen(failure);
    }
    // The line settings given while closed take effect now.
    applySettings(settings_);
    serial_.setFlowControl(QSerialPort::NoFlowControl);
    serial_.setDataTerminalReady(true);
    serial_.setRequestToSend(false);
    serial_.clearError();
    line_ = &serial_;
    return true;
}

bool QtSerialPort::openTcp(const std::string& device) {
    const TcpDeviceParse parsed = parseTcpDevice(device);
    if (!parsed.device) {
        OpenFailure failure;
        failure.kind = OpenFailureKind::MalformedDevice;
        failure.reason = "Malformed TCP device: " + parsed.error;
        failure.device = device;
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
        failure->device = device;
        return failOpen(*failure);
    }
    line_ = &socket_;
    // Bytes the server sent as the connection came up raised no receive event while the port
    // was not open yet.
    if (socket_.bytesAvailable() > 0) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (line_ == &socket_ && onCommEvent) onCommEvent(kReceive);
            },
            Qt::QueuedConnection);
    }
    return true;
}

bool QtSerialPort::failOpen(OpenFailure failure) {
    // A device named outright (zoma-ctl's --port DEVICE) is not one of the numbered ports.
    failure.portNumber = deviceName_.empty() ? portNumber_ : 0;
    errorText_ = openFailureText(failure);
    openFailure_ = std::move(failure);
    return false;
}

void QtSerialPort::close() {
    closeLine();
}

void QtSerialPort::closeLine() {
    // Unset first: whatever the device reports while it closes is not a failure of the line.
    QIODevice* const line = std::exchange(line_, nullptr);
    if (line == &serial_) {
        serial_.close();
        serial_.clearError();
    } else if (line == &socket_) {
        // At once, without a goodbye: nothing more goes to the projector.
        socket_.abort();
    }
}

bool QtSerialPort::write(const std::string& bytes) {
    QIODevice* const line = line_;
    if (line == nullptr) return false;
    const qint64 written = line->write(bytes.data(), static_cast<qint64>(bytes.size()));
    // Hand the frame to the operating system now, not one event-loop turn later.
    if (line == &serial_) {
        serial_.flush();
    } else {
        socket_.flush();
    }
    // A line that failed during the write has been closed by now.
    return line_ == line && written == static_cast<qint64>(bytes.size());
}

std::string QtSerialPort::readAll() {
    if (line_ == nullptr) return {};
    const QByteArray data = line_->readAll();
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

void QtSerialPort::onSerialError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError || line_ != &serial_) return;
    // Timeouts and unsupported settings calls leave the line usable; the rest mean it is gone.
    if (error == QSerialPort::TimeoutError || error == QSerialPort::UnsupportedOperationError) {
        return;
    }
    lineFailed(serial_.errorString().toStdString());
}

void QtSerialPort::onSocketError(QAbstractSocket::SocketError) {
    if (line_ != &socket_) return;
    // Every error of a connected socket ends the connection: the server closed it, the network
    // cut it, or a write could not be sent.
    lineFailed(socket_.errorString().toStdString());
}

void QtSerialPort::lineFailed(const std::string& reason) {
    if (line_ == nullptr) return;
    errorText_ = reason;
    closeLine();
    // Reported from the event loop, not from inside the write or read that found the failure,
    // so the handler that was sending finishes first.
    QMetaObject::invokeMethod(
        this,
        [this, text = errorText_] {
            if (onFailure) onFailure(text);
        },
        Qt::QueuedConnection);
}

}  // namespace zoma
