#pragma once

// Every serial port the system knows, beyond the sixteen "Com n" of the port
// dialog: its system name (/dev/ttyUSB0, COM23), what the system tells of the
// adapter, the stable by-id link that leads to it on Linux, and whether it can
// be opened now or why not. The state is decided by the class of the open's
// failure and the system's error codes, never by the text of a message.

#include "platform/transport.h"

#include <QList>
#include <QString>

namespace vq {

enum class PortState {
    Free,         // opens
    InUse,        // another program holds it
    NoPermission, // this user may not open it (Linux: not in the dialout group)
    NoAnswer,     // there, but it does not answer its opening, or fails it
};

struct SystemPort {
    QString systemName;   // /dev/ttyUSB0, /dev/ttyACM2, COM23
    QString description;  // the adapter as the system describes it
    QString manufacturer;
    QString byIdLink;     // /dev/serial/by-id/... leading to it; empty where none
    PortState state = PortState::Free;
    QString reason;       // the system's words when it did not open, to show only
};

// The state of a port whose open failed with `error`. The serial line reports
// "held by another program" and "not this user's to open" as one class;
// `accessDenied`, the system's answer for the device file itself, tells them
// apart.
[[nodiscard]] PortState portStateOf(Transport::Error error, bool accessDenied);

// Whether the system refuses this user the device itself (Linux: its
// permission bits, EACCES); false where it can't tell (Windows).
[[nodiscard]] bool deviceAccessDenied(const QString &device);

// Every serial port the system lists right now, described, ordered by name,
// not yet probed (state Free).
[[nodiscard]] QList<SystemPort> systemPorts();

// Orders a port list by name as a person counts: COM2 before COM10, ttyS2
// before ttyS10, ttyACM0 before ttyUSB0.
void sortByName(QList<SystemPort> &ports);

// Whether `device` (a system name, or a link such as a by-id link) is there
// now: the adapter is plugged in.
[[nodiscard]] bool portDevicePresent(const QString &device);

// Whether two names lead to the same device: the same name (case aside on
// Windows) or, for links, the same device file.
[[nodiscard]] bool sameDevice(const QString &a, const QString &b);

// Opens `port` with the program's line settings and closes it again; sets its
// state and, when it did not open, the system's reason.
void probeSystemPort(SystemPort &port);

} // namespace vq
