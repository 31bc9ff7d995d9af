// The system's serial ports on Linux (and any system with Qt Serial Port):
// QSerialPortInfo, and the links udev keeps under /dev/serial/by-id.

#include "platform/systemports.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

namespace vq {

namespace {

const QString kByIdFolder = QStringLiteral("/dev/serial/by-id");

// The by-id link that leads to `device`, if udev made one.
QString byIdLinkOf(const QString &device)
{
    const QString target = QFileInfo(device).canonicalFilePath();
    const QDir folder(kByIdFolder);
    for (const QFileInfo &link : folder.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name)) {
        if (link.isSymLink() && link.canonicalFilePath() == target)
            return link.absoluteFilePath();
    }
    return {};
}

} // namespace

QList<SystemPort> systemPorts()
{
    QList<SystemPort> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        SystemPort port;
        port.systemName = info.systemLocation();
        port.description = info.description();
        port.manufacturer = info.manufacturer();
        port.byIdLink = byIdLinkOf(port.systemName);
        ports.append(port);
    }
    sortByName(ports);
    return ports;
}

bool portDevicePresent(const QString &device)
{
    // A link whose device is gone (a by-id link for a moment, the emulator's
    // link between its two lines) counts as absent.
    return !device.isEmpty() && QFileInfo::exists(device);
}

} // namespace vq
