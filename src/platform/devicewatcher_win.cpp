// Adapters plugged in and pulled out on Windows: the WM_DEVICECHANGE that
// the system sends every top-level window for a port that arrives or goes,
// seen through a native event filter on the application.

#include "platform/devicewatcher.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <windows.h>
#include <dbt.h>

namespace vq {

namespace {

class WindowsDeviceWatcher final : public DeviceWatcher, public QAbstractNativeEventFilter
{
public:
    WindowsDeviceWatcher()
    {
        if (QCoreApplication *app = QCoreApplication::instance())
            app->installNativeEventFilter(this);
    }

    ~WindowsDeviceWatcher() override
    {
        if (QCoreApplication *app = QCoreApplication::instance())
            app->removeNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override
    {
        Q_UNUSED(result);
        if (eventType != "windows_generic_MSG")
            return false;
        const MSG *msg = static_cast<const MSG *>(message);
        if (msg->message != WM_DEVICECHANGE)
            return false;
        if (msg->wParam == DBT_DEVICEARRIVAL || msg->wParam == DBT_DEVICEREMOVECOMPLETE) {
            const auto *header = reinterpret_cast<const DEV_BROADCAST_HDR *>(msg->lParam);
            if (header && header->dbch_devicetype == DBT_DEVTYP_PORT)
                emit changed();
        }
        return false; // every window still gets it
    }
};

} // namespace

std::unique_ptr<DeviceWatcher> makeWindowsDeviceWatcher()
{
    return std::make_unique<WindowsDeviceWatcher>();
}

} // namespace vq
