#pragma once

// The program's link to the controller, wired as the program wires it, against
// the controller emulator on a pseudo-terminal pinned as Com1: serial port,
// status, scripted prompter, exchange, port control, editor, block, run-data
// log and device operations. Times run at a tenth (3 s become 300 ms) against
// an unpaced emulator, or as the program has them against a paced one.

#include "emulatorprocess.h"
#include "link/deviceoperations.h"
#include "link/portcontrol.h"
#include "link/statusmodel.h"
#include "platform/config.h"
#include "platform/serialport.h"
#include "scriptedprompter.h"
#include "settings/controllerblock.h"
#include "settings/editormodel.h"

#include <QTemporaryDir>

// The five device buttons as "10111": 1 for enabled, in the order of CmdVqCom.
inline QString buttonsText(const vq::StatusModel &status)
{
    QString text;
    for (int i = 0; i < vq::kDeviceButtons; ++i)
        text += status.buttonEnabled(vq::DeviceButton(i)) ? u'1' : u'0';
    return text;
}

struct LinkRig {
    QTemporaryDir dir;
    EmulatorProcess emu;
    vq::Config config{dir.path()};
    vq::SerialPort port;
    vq::StatusModel status;
    vq::ScriptedPrompter prompter;
    vq::CommandExchange exchange{port};
    vq::PortControl control{port, config, status};
    vq::EditorModel editor;
    vq::ControllerBlock block{editor, prompter};
    vq::RunLog log;
    vq::DeviceOperations ops{exchange, control, block, editor, log, prompter, status};

    // Starts the emulator with `args` and opens its line as Com1: unpaced and
    // at a tenth of the times, or, with `realTime`, at 9600 baud and the
    // program's own times (for the benchmarks).
    [[nodiscard]] bool start(const QStringList &args = {}, bool realTime = false)
    {
        const QString path = emu.start(realTime ? args : QStringList{QStringLiteral("--no-pacing")} + args);
        if (path.isEmpty())
            return false;
        config.WriteIniString(QStringLiteral("Ports"), QStringLiteral("Com1"), path);
        config.CommPortNo = 1;
        exchange.setTimeScale(realTime ? 1.0 : 0.1);
        editor.reset();
        control.OpenPort();
        control.EnableCommands();
        return port.isOpen();
    }

    // Everything the program has sent, as the emulator received it.
    [[nodiscard]] QByteArray wire() const { return emu.traceBytes(EmulatorProcess::Direction::Received); }
};
