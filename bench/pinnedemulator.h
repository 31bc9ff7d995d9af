#pragma once

// Benchmarks run the whole program against the controller emulator: start it
// and pin its line as Com1 in the profile file the program will read.

#include "emulatorprocess.h"
#include "platform/profilefile.h"

#include <QDir>
#include <QStringList>

#include <cstdio>

// Starts the emulator with `arguments` and writes "[RS232C] CommPort= 1" and
// "[Ports] Com1=<line>" into "VQ530T Link.ini" in `folder`; `line` replaces
// the emulator's own path when given (e.g. its --link). False, with a message
// on standard error, when the emulator did not start.
inline bool startEmulatorAsCom1(EmulatorProcess &emu, const QString &folder, const QStringList &arguments,
                                const QString &line = {})
{
    const QString path = emu.start(arguments);
    if (path.isEmpty()) {
        std::fprintf(stderr, "emulator did not start: %s\n", qPrintable(emu.errorText()));
        return false;
    }
    const QString ini = QDir(folder).filePath(QStringLiteral("VQ530T Link.ini"));
    (void)vq::writeProfileString(ini, QStringLiteral("RS232C"), QStringLiteral("CommPort"), QStringLiteral(" 1"));
    (void)vq::writeProfileString(ini, QStringLiteral("Ports"), QStringLiteral("Com1"), line.isEmpty() ? path : line);
    return true;
}
