#pragma once

// A lost line comes back by itself: when the port was lost because its device
// went away (an adapter pulled out, the other end of a pseudo-terminal gone)
// and the same device comes back under the same name (the system name, or the
// pinned by-id link that was opened), the port is opened again and the
// message line says that the port was initialized, in black, as an open from the
// ComPort menu does. Nothing is sent to the controller; an operation cut off
// by the loss stays failed. While a message box is up or an operation runs,
// the open waits until they are over. A device that doesn't come back leaves
// everything as it is.

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

namespace vq {

class DeviceWatcher;
class PortControl;
class StatusModel;
class Transport;

class PortReturn : public QObject
{
    Q_OBJECT

public:
    PortReturn(Transport &port, PortControl &control, StatusModel &status, QObject *parent = nullptr);

    // The system's word that devices came or went; besides it the device is
    // looked for every `checkMs` while it is awaited (a pseudo-terminal or a
    // link raises no system event).
    void setWatcher(DeviceWatcher *watcher);
    void setCheckInterval(int checkMs) { m_check.setInterval(checkMs); }
    // False while the port must not open (a message box is up); the port
    // opens at a later check.
    void setMayOpen(std::function<bool()> mayOpen) { m_mayOpen = std::move(mayOpen); }

    // The user takes the port in hand (the ComPort menu): nothing is awaited.
    void forget();
    [[nodiscard]] bool awaiting() const { return !m_device.isEmpty(); }
    [[nodiscard]] QString awaitedDevice() const { return m_device; }

    // Looks whether the awaited device is back, and opens it if it may.
    void check();

signals:
    void reopened();

private:
    void onLost();

    Transport &m_port;
    PortControl &m_control;
    StatusModel &m_status;
    std::function<bool()> m_mayOpen;
    QTimer m_check;
    QString m_device;
};

} // namespace vq
