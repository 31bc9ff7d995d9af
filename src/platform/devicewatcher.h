#pragma once

// Tells when the system's serial ports may have changed: an adapter plugged in
// or pulled out. Linux listens to udev (through libudev, on a socket the event
// loop watches), Windows to WM_DEVICECHANGE for ports; a build without libudev
// looks at the port list once a second instead. Listeners probe again on
// changed(); it may come more often than the list really changes.

#include <QObject>

#include <memory>

namespace vq {

class DeviceWatcher : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~DeviceWatcher() override = default;

signals:
    void changed();
};

// The system's watcher: udev or WM_DEVICECHANGE, else the one-second check.
[[nodiscard]] std::unique_ptr<DeviceWatcher> makeDeviceWatcher();

// The one-second check of the port list, where the system tells nothing.
[[nodiscard]] std::unique_ptr<DeviceWatcher> makePollingDeviceWatcher(int intervalMs = 1000);

} // namespace vq
