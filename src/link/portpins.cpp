#include "link/portpins.h"

#include "link/portselection.h"
#include "platform/config.h"
#include "platform/profilefile.h"
#include "platform/serialport.h"

#include <algorithm>

namespace vq {

namespace {

QString pinOf(const Config &config, int n)
{
    return readProfileString(config.iniPath(), QStringLiteral("Ports"), QStringLiteral("Com%1").arg(n), QString());
}

bool leadsTo(const QString &name, const SystemPort &port)
{
    return sameDevice(name, port.systemName) || sameDevice(name, port.byIdLink);
}

} // namespace

int pinnedNumber(const Config &config, const SystemPort &port)
{
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        if (leadsTo(pinOf(config, n), port))
            return n;
    }
    return 0;
}

QList<KnownPort> knownPorts(const Config &config, const QList<SystemPort> &system)
{
    QList<KnownPort> known;
    for (const SystemPort &port : system)
        known.append({port, pinnedNumber(config, port)});
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        const QString pin = pinOf(config, n);
        const bool listed = std::any_of(known.cbegin(), known.cend(),
                                        [&pin](const KnownPort &k) { return leadsTo(pin, k.port); });
        if (pin.isEmpty() || listed || !portDevicePresent(pin))
            continue;
        SystemPort port;
        port.systemName = pin;
        known.append({port, n});
    }
    return known;
}

int reachPort(Config &config, const SystemPort &port, const QList<SystemPort> &present)
{
    if (const int pinned = pinnedNumber(config, port))
        return pinned;
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        if (pinOf(config, n).isEmpty() && leadsTo(systemPortDevice(n), port))
            return n;
    }
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        if (!pinOf(config, n).isEmpty())
            continue;
        const QString fixed = systemPortDevice(n);
        const bool taken = std::any_of(present.cbegin(), present.cend(),
                                       [&fixed](const SystemPort &p) { return sameDevice(fixed, p.systemName); });
        if (taken)
            continue;
        config.WriteIniString(QStringLiteral("Ports"), QStringLiteral("Com%1").arg(n),
                              port.byIdLink.isEmpty() ? port.systemName : port.byIdLink);
        return n;
    }
    return 0;
}

int useOtherPort(PortSelection &selection, Config &config, const SystemPort &port, const QList<SystemPort> &present)
{
    const int n = reachPort(config, port, present);
    if (n == 0)
        return 0;
    selection.ListPorts();
    const QList<PortEntry> &entries = selection.entries();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries.at(i).number == n)
            selection.select(int(i));
    }
    return n;
}

} // namespace vq
