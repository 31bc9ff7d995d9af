#include "link/portreturn.h"

#include "core/messages.h"
#include "link/portcontrol.h"
#include "link/statusmodel.h"
#include "platform/devicewatcher.h"
#include "platform/systemports.h"
#include "platform/transport.h"

namespace vq {

PortReturn::PortReturn(Transport &port, PortControl &control, StatusModel &status, QObject *parent)
    : QObject(parent), m_port(port), m_control(control), m_status(status)
{
    m_check.setInterval(1000);
    connect(&m_check, &QTimer::timeout, this, &PortReturn::check);
    connect(&m_port, &Transport::lost, this, &PortReturn::onLost);
    // An operation cut off by the loss ends with its red message first; the
    // port opens after it.
    connect(&m_status, &StatusModel::busyChanged, this, [this](bool busy) {
        if (!busy)
            QTimer::singleShot(0, this, &PortReturn::check);
    });
}

void PortReturn::setWatcher(DeviceWatcher *watcher)
{
    if (watcher)
        connect(watcher, &DeviceWatcher::changed, this, &PortReturn::check);
}

void PortReturn::forget()
{
    m_device.clear();
    m_check.stop();
}

void PortReturn::onLost()
{
    // What the system reports for a line that goes away differs by driver
    // (a pulled adapter, a pseudo-terminal whose other end closed), so every
    // lost line is awaited: it opens again only once its device is there and
    // opens, and one whose device stays away stays closed.
    m_device = m_port.devicePath();
    m_check.start();
}

void PortReturn::check()
{
    if (m_device.isEmpty())
        return;
    if (m_port.isOpen()) { // opened meanwhile by the user
        forget();
        return;
    }
    if (m_status.busy() || (m_mayOpen && !m_mayOpen()) || !portDevicePresent(m_device))
        return;
    // A device that is back but doesn't open yet (its permissions still being
    // set) is tried again at the next check.
    if (!m_port.open(m_device))
        return;
    forget();
    m_status.ShowMessage(kMsgPortInitialized, kColourBlack);
    m_control.EnableCommands();
    emit reopened();
}

} // namespace vq
