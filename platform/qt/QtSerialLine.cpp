// Opens, configures, reads and writes a serial port; reports one that fails while open.
#include "platform/qt/QtSerialLine.h"

#include "platform/LineSettings.h"
#include "platform/PortNaming.h"
#include "platform/qt/SerialOpenFailure.h"

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

QtSerialLine::QtSerialLine(QObject* parent) : QtLine(parent) {
    serial_.setFlowControl(QSerialPort::NoFlowControl);
    applySettings(settings_);
    connect(&serial_, &QSerialPort::readyRead, this, &QtSerialLine::announceReceived);
    connect(&serial_, &QSerialPort::errorOccurred, this, &QtSerialLine::onError);
}

QtSerialLine::~QtSerialLine() {
    // The port still signals while it is destroyed, after what its handlers use is gone.
    serial_.disconnect(this);
}

std::string QtSerialLine::device() const {
    return serialDevicePath(device_);
}

bool QtSerialLine::applySettings(const std::string& settings) {
    const auto parsed = parseLineSettings(settings);
    if (!parsed) {
        errorText_ = "Invalid line settings: " + settings;
        return false;
    }
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

bool QtSerialLine::setSettings(const std::string& settings) {
    const std::string before = settings_;
    if (!applySettings(settings)) {
        applySettings(before);
        return false;
    }
    settings_ = settings;
    return true;
}

bool QtSerialLine::open() {
    if (open_) return true;
    const std::string path = device();
    if (serialDevicePathTooLong(path)) {
        // The serial library would first fail to make the lock file and call it a permission
        // error while locking, as for a port in use.
        OpenFailure failure;
        failure.kind = OpenFailureKind::NameTooLong;
        failure.reason = "File name too long";
        failure.device = path;
        return failOpen(failure);
    }
    serial_.setPortName(QString::fromStdString(path));
    if (!serial_.open(QIODevice::ReadWrite)) {
        const OpenFailure failure = serialOpenFailure(serial_.error(), serial_.errorString(), path);
        serial_.clearError();
        return failOpen(failure);
    }
    // The line settings given while closed take effect now.
    applySettings(settings_);
    serial_.setFlowControl(QSerialPort::NoFlowControl);
    serial_.setDataTerminalReady(true);
    serial_.setRequestToSend(false);
    serial_.clearError();
    open_ = true;
    return true;
}

void QtSerialLine::closeLine() {
    if (!open_) return;
    open_ = false;
    // QSerialPort puts back the terminal settings it found when it opened the port.
    serial_.close();
    serial_.clearError();
}

bool QtSerialLine::write(const std::string& bytes) {
    if (!open_) return false;
    const qint64 written = serial_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    // Hand the frame to the operating system now, not one event-loop turn later.
    serial_.flush();
    // A line that failed during the write has been closed by now.
    return open_ && written == static_cast<qint64>(bytes.size());
}

std::string QtSerialLine::readAll() {
    if (!open_) return {};
    const QByteArray data = serial_.readAll();
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

void QtSerialLine::onError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError || !open_) return;
    // Timeouts and unsupported settings calls leave the line usable; the rest mean it is gone.
    if (error == QSerialPort::TimeoutError || error == QSerialPort::UnsupportedOperationError) {
        return;
    }
    lineFailed(serial_.errorString().toStdString());
}

}  // namespace zoma
