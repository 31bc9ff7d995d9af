#include "link/portmap.h"

#include "platform/config.h"
#include "platform/profilefile.h"

namespace vq {

QString portDevice(const Config &config, int port)
{
    if (port < 1 || port > 16)
        return {};
    const QString pinned = readProfileString(config.iniPath(), QStringLiteral("Ports"),
                                             QStringLiteral("Com%1").arg(port), QString());
    if (!pinned.isEmpty())
        return pinned;
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    if (port <= 4)
        return QStringLiteral("/dev/ttyS%1").arg(port - 1);
    if (port <= 12)
        return QStringLiteral("/dev/ttyUSB%1").arg(port - 5);
    return QStringLiteral("/dev/ttyACM%1").arg(port - 13);
#endif
}

} // namespace vq
