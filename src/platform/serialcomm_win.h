#pragma once

// Windows only: the system's serial-port map, the registry's SERIALCOMM
// key under HKLM HARDWARE DEVICEMAP, read in one place for the line's
// description of its port and for the list of every port.

#include <QList>
#include <QString>

namespace vq {

struct SerialCommEntry {
    QString driverDevice; // the driver's device: \Device\Serial0, \Device\VCP0 (FTDI) ...
    QString comName;      // COM5
};

// Every entry of the map; empty where it can't be read.
[[nodiscard]] QList<SerialCommEntry> serialCommMap();

} // namespace vq
