#include "link/portselection.h"

#include "link/portmap.h"
#include "platform/config.h"
#include "platform/serialport.h"

namespace vq {

namespace {

// Fills in what the system knows of the adapter.
void describe(PortEntry &entry)
{
    const PortDescription info = describePortDevice(entry.device);
    entry.description = info.description;
    entry.manufacturer = info.manufacturer;
    entry.serialNumber = info.serialNumber;
}

} // namespace

QString portToolTip(const PortEntry &entry, const QString &serialNumberLine)
{
    QStringList lines{entry.device};
    if (!entry.description.isEmpty())
        lines << entry.description;
    if (!entry.manufacturer.isEmpty())
        lines << entry.manufacturer;
    if (!entry.serialNumber.isEmpty())
        lines << serialNumberLine.arg(entry.serialNumber);
    return lines.join(u'\n');
}

PortSelection::PortSelection(Config &config, Probe probe, QObject *parent)
    : QObject(parent), m_config(config), m_probe(probe ? std::move(probe) : Probe(&PortSelection::probeDevice))
{
}

bool PortSelection::probeDevice(const QString &device)
{
    SerialPort port;
    const bool opened = port.open(device);
    port.close();
    return opened;
}

void PortSelection::ListPorts()
{
    m_entries.clear();
    m_selected = -1;
    int wanted = -1;
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        const QString device = portDevice(m_config, n);
        // Errors while probing are never shown; they only keep the port off
        // the list.
        if (device.isEmpty() || !m_probe(device))
            continue;
        if (n == m_config.CommPortNo)
            wanted = int(m_entries.size());
        PortEntry entry{QStringLiteral("Com%1").arg(n), device, n, {}, {}, {}};
        describe(entry);
        m_entries.append(entry);
    }
    if (m_entries.isEmpty()) {
        m_entries.append({kNotFound, QString(), 0, {}, {}, {}});
        wanted = 0;
    }
    emit entriesChanged();
    if (wanted >= 0)
        select(wanted);
}

void PortSelection::select(int index)
{
    if (index < 0 || index >= m_entries.size() || index == m_selected)
        return;
    m_selected = index;
    emit selectedChanged(index);
    Combo_Click();
}

void PortSelection::Combo_Click()
{
    const int port = m_entries.at(m_selected).number;
    if (port > 0)
        m_config.storeCommPort(qint16(port));
}

void PortSelection::cmdOk_Click()
{
    m_choice = PortChoice{m_config.CommPortNo, portDevice(m_config, m_config.CommPortNo)};
}

void PortSelection::CmdCancel_Click()
{
    m_choice.reset();
}

} // namespace vq
