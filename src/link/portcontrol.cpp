#include "link/portcontrol.h"

#include "core/messages.h"
#include "link/portmap.h"
#include "link/statusmodel.h"
#include "platform/config.h"
#include "platform/transport.h"

#include <cstdio>

namespace vq {

QString openFailureDetail(const QString &portName, const Transport &serial)
{
    QString why;
    switch (serial.error()) {
    case Transport::Error::NotFound: why = kReasonNoSuchDevice; break;
    case Transport::Error::NoPermission: why = kReasonNoPermission; break;
    case Transport::Error::Unsupported: why = kReasonLineSettings; break;
    case Transport::Error::NoAnswer: why = kReasonNoAnswer; break;
    default: why = kReasonDeviceRefused; break;
    }
    return QStringLiteral("%1 (%2): %3: %4").arg(portName, serial.devicePath(), why, serial.errorText());
}

PortControl::PortControl(Transport &port, Config &config, StatusModel &status)
    : m_port(port), m_config(config), m_status(status)
{
}

bool PortControl::isOpen() const
{
    return m_port.isOpen();
}

void PortControl::OpenPort()
{
    // A port named for this run: opened or not, no dialog.
    if (!m_overrideDevice.isEmpty()) {
        if (m_port.isOpen() || m_port.open(namedPortDevice(m_config, m_overrideDevice))) {
            m_status.ShowMessage(kMsgPortInitialized, kColourBlack);
            return;
        }
        const QString detail = openFailureDetail(m_overrideDevice, m_port);
        std::fprintf(stderr, "%s\n", qPrintable(detail));
        m_status.ShowMessage(kMsgPortCannotOpen, kColourRed, detail);
        return;
    }
    // The retry through the dialog repeats until the port opens or the user
    // cancels (or closes the dialog without having pressed OK before).
    for (;;) {
        if (m_config.CommPortNo == 0) {
            m_status.ShowMessage(kMsgPortCannotOpen, kColourRed);
            return;
        }
        if (m_port.isOpen() || m_port.open(portDevice(m_config, m_config.CommPortNo))) {
            m_status.ShowMessage(kMsgPortInitialized, kColourBlack);
            return;
        }
        const QString detail = openFailureDetail(QStringLiteral("Com%1").arg(m_config.CommPortNo), m_port);
        std::fprintf(stderr, "%s\n", qPrintable(detail));
        m_status.ShowMessage(kMsgPortCannotOpen, kColourRed, detail);
        if (!m_showPortDialog || !m_showPortDialog())
            return;
    }
}

void PortControl::ClosePort()
{
    m_port.close();
}

void PortControl::EnableCommands()
{
    const bool open = m_port.isOpen();
    m_status.setAllButtonsEnabled(open);
    if (open)
        m_status.setButtonEnabled(DeviceButton::Write, false);
}

void PortControl::mnuCom_Click()
{
    ClosePort();
    m_overrideDevice.clear();
    // Without a dialog to ask, the stored port is opened again.
    const bool chosen = !m_showPortDialog || m_showPortDialog().has_value();
    if (chosen)
        OpenPort();
    else
        m_status.ShowMessage(kMsgPortCannotOpen, kColourRed);
    EnableCommands();
}

} // namespace vq
