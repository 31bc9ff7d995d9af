#include "platform/systemports.h"

#include "platform/serialport.h"

#include <QCollator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifndef Q_OS_WIN
#include <cerrno>
#include <unistd.h>
#endif

namespace vq {

PortState portStateOf(Transport::Error error, bool accessDenied)
{
    switch (error) {
    case Transport::Error::None: return PortState::Free;
    case Transport::Error::NoPermission: return accessDenied ? PortState::NoPermission : PortState::InUse;
    case Transport::Error::NotFound:
    case Transport::Error::Unsupported:
    case Transport::Error::NoAnswer:
    case Transport::Error::Failed: break;
    }
    return PortState::NoAnswer;
}

bool deviceAccessDenied(const QString &device)
{
#ifdef Q_OS_WIN
    Q_UNUSED(device);
    return false;
#else
    const QByteArray path = QFile::encodeName(device);
    return ::access(path.constData(), R_OK | W_OK) != 0 && (errno == EACCES || errno == EPERM);
#endif
}

bool sameDevice(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
#ifdef Q_OS_WIN
    return a.compare(b, Qt::CaseInsensitive) == 0;
#else
    if (a == b)
        return true;
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
#endif
}

void probeSystemPort(SystemPort &port)
{
    SerialPort line;
    if (line.open(port.systemName)) {
        line.close();
        port.state = PortState::Free;
        port.reason.clear();
        return;
    }
    port.state = portStateOf(line.error(), deviceAccessDenied(port.systemName));
    port.reason = line.errorText();
}

void sortByName(QList<SystemPort> &ports)
{
    QCollator collator;
    collator.setNumericMode(true);
    std::sort(ports.begin(), ports.end(), [&collator](const SystemPort &a, const SystemPort &b) {
        return collator.compare(a.systemName, b.systemName) < 0;
    });
}

} // namespace vq
