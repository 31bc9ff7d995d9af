// Adapters plugged in and pulled out on Linux: udev's monitor for the tty
// subsystem, read when its socket has something.

#include "platform/devicewatcher.h"

#include <QSocketNotifier>

#include <libudev.h>

namespace vq {

namespace {

class UdevDeviceWatcher final : public DeviceWatcher
{
public:
    UdevDeviceWatcher(udev *context, udev_monitor *monitor)
        : m_udev(context), m_monitor(monitor),
          m_notifier(udev_monitor_get_fd(monitor), QSocketNotifier::Read)
    {
        connect(&m_notifier, &QSocketNotifier::activated, this, [this] {
            // One device a read; each is a change of the tty devices.
            if (udev_device *device = udev_monitor_receive_device(m_monitor)) {
                udev_device_unref(device);
                emit changed();
            }
        });
    }

    ~UdevDeviceWatcher() override
    {
        m_notifier.setEnabled(false);
        udev_monitor_unref(m_monitor);
        udev_unref(m_udev);
    }

private:
    udev *m_udev;
    udev_monitor *m_monitor;
    QSocketNotifier m_notifier;
};

} // namespace

std::unique_ptr<DeviceWatcher> makeUdevDeviceWatcher()
{
    udev *context = udev_new();
    if (!context)
        return nullptr;
    udev_monitor *monitor = udev_monitor_new_from_netlink(context, "udev");
    if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor, "tty", nullptr) < 0
        || udev_monitor_enable_receiving(monitor) < 0 || udev_monitor_get_fd(monitor) < 0) {
        if (monitor)
            udev_monitor_unref(monitor);
        udev_unref(context);
        return nullptr;
    }
    return std::make_unique<UdevDeviceWatcher>(context, monitor);
}

} // namespace vq
