#include "link/portmap.h"

#include "platform/config.h"
#include "platform/profilefile.h"
#include "platform/serialport.h"

#include <QRegularExpression>

namespace vq {

QString portDevice(const Config &config, int port)
{
    if (port < kFirstPort || port > kLastPort)
        return {};
    const QString pinned = readProfileString(config.iniPath(), QStringLiteral("Ports"),
                                             QStringLiteral("Com%1").arg(port), QString());
    if (!pinned.isEmpty())
        return pinned;
    return systemPortDevice(port);
}

QString namedPortDevice(const Config &config, const QString &name)
{
    static const QRegularExpression comN(QStringLiteral("^Com([0-9]{1,2})$"));
    if (const QRegularExpressionMatch m = comN.match(name); m.hasMatch())
        return portDevice(config, m.captured(1).toInt());
    return name;
}

} // namespace vq
