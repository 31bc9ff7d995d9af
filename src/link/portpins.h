#pragma once

// The system's ports beside the sixteen "Com n": which Com number's pin under
// [Ports] leads to each, and pinning a port that no number reaches yet to a
// free number, so that the port dialog can offer it and the profile keeps its
// form (CommPort stays a number from 1 to 16).

#include "platform/systemports.h"

#include <QList>

namespace vq {

class Config;
class PortSelection;

struct KnownPort {
    SystemPort port;
    int pinnedTo = 0; // the Com number whose [Ports] pin leads to it; 0: none
};

// The Com number whose pin names `port` (its system name, its by-id link, or
// a link to the same device); 0 for none.
[[nodiscard]] int pinnedNumber(const Config &config, const SystemPort &port);

// The system's ports with their pins, and after them every pinned device the
// system does not list but that is there (a pseudo-terminal, a link of one's
// own). Not probed.
[[nodiscard]] QList<KnownPort> knownPorts(const Config &config, const QList<SystemPort> &system);

// The Com number that opens `port`: the number pinned to it; else the number
// whose fixed device it is (/dev/ttyUSB0 is Com5, COM7 is Com7); else the
// first number without a pin whose fixed device is none of `present`, which
// is then pinned to it under [Ports] (by its by-id link where it has one).
// 0 when all sixteen are taken.
[[nodiscard]] int reachPort(Config &config, const SystemPort &port, const QList<SystemPort> &present);

// The other ports' choice: reaches `port` as above, lists the dialog's ports again and
// selects the port's entry (which stores it as CommPort). The Com number, or
// 0 when none was free.
int useOtherPort(PortSelection &selection, Config &config, const SystemPort &port, const QList<SystemPort> &present);

} // namespace vq
