#pragma once

// Which device "Com n" means on this machine.

#include "core/constants.h"

#include <QString>

namespace vq {

class Config;

// The device that "Com n" (1..16) opens: the profile's [Ports] key Com<n>
// when it is set, otherwise COMn on Windows and, elsewhere, a fixed table:
// Com1-Com4 /dev/ttyS0-3, Com5-Com12 /dev/ttyUSB0-7, Com13-Com16 /dev/ttyACM0-3.
// Empty for numbers outside 1..16.
[[nodiscard]] QString portDevice(const Config &config, int port);

// A port as the user names it on the command line: "ComN" as the profile
// maps it, anything else a device (/dev/ttyUSB0, COM4, ...).
[[nodiscard]] QString namedPortDevice(const Config &config, const QString &name);

} // namespace vq
