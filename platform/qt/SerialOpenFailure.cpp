// Gathers the device's permissions and the computer's serial ports for a failed open.
#include "platform/qt/SerialOpenFailure.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>

namespace zoma {

namespace {

std::vector<FoundPort> serialPortsFound() {
    std::vector<FoundPort> found;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        found.push_back({info.systemLocation().toStdString(), info.description().toStdString()});
    }
    std::sort(found.begin(), found.end(),
              [](const FoundPort& a, const FoundPort& b) { return a.device < b.device; });
    return found;
}

// The group whose members may use the device, when joining it is the way in: one that may read
// and write it, and not root. Empty otherwise, and the advice names the usual group.
std::string groupToJoin(const QFileInfo& device) {
    const QFile::Permissions readWrite = QFile::ReadGroup | QFile::WriteGroup;
    const QString group = device.group();
    if ((device.permissions() & readWrite) != readWrite || group.isEmpty() ||
        group == QLatin1String("root")) {
        return {};
    }
    return group.toStdString();
}

}  // namespace

OpenFailure serialOpenFailure(QSerialPort::SerialPortError error, const QString& errorString,
                              const std::string& device) {
    OpenFailure failure;
    failure.reason = errorString.toStdString();
    failure.device = device;
    if (error == QSerialPort::DeviceNotFoundError) {
        failure.kind = OpenFailureKind::DeviceMissing;
        failure.portsFound = serialPortsFound();
    } else if (error == QSerialPort::PermissionError) {
        // The same error stands for a device this user may not open and for one that another
        // program holds (its lock file, or exclusive use): the device's permissions tell which.
        const QFileInfo info(QString::fromStdString(device));
        if (info.exists() && !(info.isReadable() && info.isWritable())) {
            failure.kind = OpenFailureKind::PermissionDenied;
            failure.deviceGroup = groupToJoin(info);
        } else {
            failure.kind = OpenFailureKind::InUse;
        }
    }
    return failure;
}

}  // namespace zoma
