// Opens, configures, reads and writes the port, and reports a port that fails while open.
#include "platform/qt/QtSerialPort.h"

#include "platform/LineSettings.h"
#include "platform/PortNaming.h"

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
    port_.setFlowControl(QSerialPort::NoFlowControl);
    applySettings(settings_);
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        if (onCommEvent) onCommEvent(kReceive);
    });
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

QtSerialPort::~QtSerialPort() {
    // Closing is the window's business; this only keeps a destroyed port from calling back.
    onCommEvent = nullptr;
    onFailure = nullptr;
}

bool QtSerialPort::applySettings(const std::string& settings) {
    const auto parsed = parseLineSettings(settings);
    if (!parsed) {
        errorText_ = "Invalid line settings: " + settings;
        return false;
    }
    const bool applied =
        port_.setBaudRate(parsed->baudRate) && port_.setParity(toQtParity(parsed->parity)) &&
        port_.setDataBits(static_cast<QSerialPort::DataBits>(parsed->dataBits)) &&
        port_.setStopBits(parsed->stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    if (!applied) {
        errorText_ = port_.errorString().toStdString();
        port_.clearError();
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
    if (port_.isOpen()) return true;
    const std::string device = !deviceName_.empty() ? deviceName_
                               : devices_           ? devices_->forPort(portNumber_)
                                                    : portDeviceName(portNumber_);
    port_.setPortName(QString::fromStdString(device));
    if (!port_.open(QIODevice::ReadWrite)) {
        errorText_ = port_.errorString().toStdString();
        port_.clearError();
        return false;
    }
    // The line settings given while closed take effect now.
    applySettings(settings_);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setDataTerminalReady(true);
    port_.setRequestToSend(false);
    port_.clearError();
    return true;
}

void QtSerialPort::close() {
    if (port_.isOpen()) port_.close();
}

bool QtSerialPort::write(const std::string& bytes) {
    if (!port_.isOpen()) return false;
    const qint64 written = port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    // Hand the frame to the operating system now, not one event-loop turn later.
    port_.flush();
    return written == static_cast<qint64>(bytes.size());
}

std::string QtSerialPort::readAll() {
    const QByteArray data = port_.readAll();
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

void QtSerialPort::onError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError || failing_ || !port_.isOpen()) return;
    // Timeouts and unsupported settings calls leave the line usable; the rest mean it is gone.
    if (error == QSerialPort::TimeoutError || error == QSerialPort::UnsupportedOperationError) {
        return;
    }
    errorText_ = port_.errorString().toStdString();
    failing_ = true;
    port_.close();
    port_.clearError();
    failing_ = false;
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
