#include "link/portselection.h"

#include "platform/serialport.h"
#include "shell/config.h"
#include "shell/conversions.h"

namespace vq {

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
        const QString device = m_config.portDevice(n);
        // Errors while probing are never shown; they only keep the port off
        // the list.
        if (device.isEmpty() || !m_probe(device))
            continue;
        if (n == m_config.CommPortNo)
            wanted = int(m_entries.size());
        m_entries.append({QStringLiteral("Com%1").arg(n), device});
    }
    if (m_entries.isEmpty()) {
        m_entries.append({kNotFound, QString()});
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
    QString text = m_entries.at(m_selected).text;
    if (!text.contains(QStringLiteral("Com")))
        return;
    text.remove(QStringLiteral("Com"));
    if (const auto port = toInt16(Val(text)))
        m_config.storeCommPort(*port);
}

void PortSelection::cmdOk_Click()
{
    m_config.ConfigCancelled = false;
    emit finished();
}

void PortSelection::CmdCancel_Click()
{
    m_config.ConfigCancelled = true;
    emit finished();
}

void PortSelection::closeByFrame()
{
    emit finished();
}

} // namespace vq
