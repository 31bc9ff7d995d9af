#pragma once

// The program's link through the real serial stack: the serial port on the
// pseudo-terminal of the controller emulator running as a process.

#include "emulatorprocess.h"
#include "linkrig.h"
#include "platform/serialport.h"

// Made first and gone last, so the port never outlives its line's far end.
struct EmulatorOnPty {
    EmulatorProcess emu;
};

struct PtyLinkRig : EmulatorOnPty, BasicLinkRig<vq::SerialPort> {
    // Starts the emulator with `args` and opens its line as Com1: unpaced and
    // at a tenth of the times, or, with `realTime`, at 9600 baud and the
    // program's own times (for the benchmarks).
    [[nodiscard]] bool start(const QStringList &args = {}, bool realTime = false)
    {
        const QString path = emu.start(realTime ? args : QStringList{QStringLiteral("--no-pacing")} + args);
        return !path.isEmpty() && openAsCom1(path, realTime ? 1.0 : 0.1);
    }

    // Everything the program has sent, as the emulator received it.
    [[nodiscard]] QByteArray wire() const { return emu.traceBytes(EmulatorProcess::Direction::Received); }
};
