#pragma once

// The program's link to the controller, wired as the program wires it:
// status, scripted prompter, exchange, port control, editor, block, run-data
// log and device operations, on a line pinned as Com1. LinkRig puts the
// emulator's controller logic behind a line in memory and runs the times at a
// fiftieth (3 s become 60 ms); PtyLinkRig (ptylinkrig.h) opens the real
// serial port on the emulator process's pseudo-terminal.

#include "link/deviceoperations.h"
#include "link/portcontrol.h"
#include "link/statusmodel.h"
#include "memorytransport.h"
#include "platform/config.h"
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

template <class Line>
struct BasicLinkRig {
    Line port;
    QTemporaryDir dir;
    vq::Config config{dir.path()};
    vq::StatusModel status;
    vq::ScriptedPrompter prompter;
    vq::CommandExchange exchange{port};
    vq::PortControl control{port, config, status};
    vq::EditorModel editor;
    vq::ControllerBlock block{editor, prompter};
    vq::RunLog log;
    vq::DeviceOperations ops{exchange, control, block, editor, log, prompter, status};

    // Pins `device` as Com1 and opens it as the program does.
    [[nodiscard]] bool openAsCom1(const QString &device, double timeScale)
    {
        config.WriteIniString(QStringLiteral("Ports"), QStringLiteral("Com1"), device);
        config.CommPortNo = 1;
        exchange.setTimeScale(timeScale);
        editor.reset();
        control.OpenPort();
        control.EnableCommands();
        return port.isOpen();
    }
};

struct LinkRig : BasicLinkRig<vq::MemoryTransport> {
    // Opens the line with the controller in `fault`. The line's own faults
    // keep their proportions at the fiftieth: late by 120 ms, chatter every ms.
    [[nodiscard]] bool start(vq::emu::FaultMode fault = vq::emu::FaultMode::None)
    {
        port.setLateMs(120);
        port.setUnaskedMs(1);
        port.setFault(fault);
        return openAsCom1(QStringLiteral("memory"), 0.02);
    }

    // Everything the program has sent, as the controller heard it.
    [[nodiscard]] QByteArray wire() const { return port.heard(); }
};
