// The system's serial ports on Windows: the ports class of the device
// manager (SetupAPI) for the adapters' friendly names and makers, the
// SERIALCOMM map for every COM name a driver has, and the DOS device names
// for a COM name that neither lists (a virtual port, Wine's dosdevices).

#include "platform/systemports.h"

#include "platform/serialcomm_win.h"


#include <windows.h>
// The ports class's GUID defined here rather than taken from a library.
#include <initguid.h>
#include <devguid.h>
#include <setupapi.h>

#include <algorithm>
#include <iterator>
#include <string>

namespace vq {

namespace {

// Every COM name of the SERIALCOMM map.
QStringList serialCommNames()
{
    QStringList names;
    for (const SerialCommEntry &entry : serialCommMap())
        names << entry.comName;
    return names;
}

// Whether a COM name is a device, asked for that name alone: Wine makes a
// name of a dosdevices link only when it is used, and the question for a
// port's attributes fails otherwise for a port than for a name that is none.
bool comNameIsThere(const QString &comName)
{
    const std::wstring name = comName.toStdWString();
    wchar_t target[1024];
    if (QueryDosDeviceW(name.c_str(), target, DWORD(std::size(target))) != 0)
        return true;
    const std::wstring path = L"\\\\.\\" + name;
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    // A device refuses the question (Wine: invalid parameter); a missing
    // name is not found, or not a device at all (Wine).
    switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_DEV_TYPE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_BAD_NETPATH: return false;
    default: return true;
    }
}

// Every COM name that is a device (COM5, COM23, ...).
QStringList dosDeviceComNames()
{
    QStringList names;
    for (int n = 1; n <= 255; ++n) {
        const QString name = QStringLiteral("COM%1").arg(n);
        if (comNameIsThere(name))
            names << name;
    }
    return names;
}

// The COM names the system has, whichever place knows them.
QStringList allComNames()
{
    QStringList names = serialCommNames();
    for (const QString &name : dosDeviceComNames()) {
        if (!names.contains(name, Qt::CaseInsensitive))
            names << name;
    }
    return names;
}

QString registryProperty(HDEVINFO set, SP_DEVINFO_DATA &device, DWORD property)
{
    wchar_t buffer[512];
    DWORD type = 0;
    if (!SetupDiGetDeviceRegistryPropertyW(set, &device, property, &type, reinterpret_cast<BYTE *>(buffer),
                                           sizeof buffer - sizeof(wchar_t), nullptr)
        || type != REG_SZ)
        return {};
    buffer[511] = 0;
    return QString::fromWCharArray(buffer);
}

// The COM name a device of the ports class was given ("PortName" in its
// device key); empty for a printer port.
QString portNameOf(HDEVINFO set, SP_DEVINFO_DATA &device)
{
    HKEY key = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE)
        return {};
    wchar_t value[64];
    DWORD bytes = sizeof value - sizeof(wchar_t);
    DWORD type = 0;
    QString name;
    if (RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE *>(value), &bytes) == ERROR_SUCCESS
        && type == REG_SZ) {
        value[bytes / sizeof(wchar_t)] = 0;
        name = QString::fromWCharArray(value);
    }
    RegCloseKey(key);
    return name.startsWith(QLatin1String("COM"), Qt::CaseInsensitive) ? name : QString();
}

} // namespace

QList<SystemPort> systemPorts()
{
    QList<SystemPort> ports;
    HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (set != INVALID_HANDLE_VALUE) {
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        for (DWORD index = 0; SetupDiEnumDeviceInfo(set, index, &device); ++index) {
            SystemPort port;
            port.systemName = portNameOf(set, device);
            if (port.systemName.isEmpty())
                continue;
            port.description = registryProperty(set, device, SPDRP_FRIENDLYNAME);
            if (port.description.isEmpty())
                port.description = registryProperty(set, device, SPDRP_DEVICEDESC);
            port.manufacturer = registryProperty(set, device, SPDRP_MFG);
            ports.append(port);
        }
        SetupDiDestroyDeviceInfoList(set);
    }
    for (const QString &name : allComNames()) {
        const bool known = std::any_of(ports.cbegin(), ports.cend(),
                                       [&name](const SystemPort &p) { return sameDevice(p.systemName, name); });
        if (!known && !name.isEmpty()) {
            SystemPort port;
            port.systemName = name;
            ports.append(port);
        }
    }
    sortByName(ports);
    return ports;
}

bool portDevicePresent(const QString &device)
{
    const QString name = device.startsWith(QLatin1String("\\\\.\\")) ? device.mid(4) : device;
    const QStringList names = serialCommNames();
    return std::any_of(names.cbegin(), names.cend(),
                       [&name](const QString &n) { return n.compare(name, Qt::CaseInsensitive) == 0; })
           || comNameIsThere(name);
}

} // namespace vq
