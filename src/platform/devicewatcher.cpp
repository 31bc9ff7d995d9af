#include "platform/devicewatcher.h"

#include "platform/systemports.h"

#include <QStringList>
#include <QTimer>

namespace vq {

#if defined(Q_OS_WIN)
std::unique_ptr<DeviceWatcher> makeWindowsDeviceWatcher();
#elif defined(VQ_HAVE_LIBUDEV)
std::unique_ptr<DeviceWatcher> makeUdevDeviceWatcher();
#endif

namespace {

class PollingDeviceWatcher final : public DeviceWatcher
{
public:
    explicit PollingDeviceWatcher(int intervalMs) : m_last(snapshot())
    {
        m_timer.setInterval(intervalMs);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QStringList now = snapshot();
            if (now != m_last) {
                m_last = std::move(now);
                emit changed();
            }
        });
        m_timer.start();
    }

private:
    static QStringList snapshot()
    {
        QStringList names;
        for (const SystemPort &port : systemPorts())
            names << port.systemName + u' ' + port.byIdLink;
        return names;
    }

    QTimer m_timer;
    QStringList m_last;
};

} // namespace

std::unique_ptr<DeviceWatcher> makePollingDeviceWatcher(int intervalMs)
{
    return std::make_unique<PollingDeviceWatcher>(intervalMs);
}

std::unique_ptr<DeviceWatcher> makeDeviceWatcher()
{
#if defined(Q_OS_WIN)
    return makeWindowsDeviceWatcher();
#else
#if defined(VQ_HAVE_LIBUDEV)
    // Without a udev daemon (a container) the monitor can't be made.
    if (std::unique_ptr<DeviceWatcher> watcher = makeUdevDeviceWatcher())
        return watcher;
#endif
    return makePollingDeviceWatcher();
#endif
}

} // namespace vq
