// Peak resident memory of the program after "Data Get" with the log window
// open: the whole program (offscreen) against the controller emulator, the
// log fetched and drawn, then VmHWM read from /proc/self/status. Prints the
// figure; it passes or fails nothing.

#include "emulatorprocess.h"
#include "pinnedemulator.h"
#include "link/commandexchange.h"
#include "link/deviceoperations.h"
#include "link/portselection.h"
#include "platform/profilefile.h"
#include "scriptedprompter.h"
#include "logwindow/logwindowhost.h"
#include "platform/serialport.h"
#include "shell/application.h"
#include "shell/frmmain.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

qint64 statusKb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qsizetype(qstrlen(key))).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);

    EmulatorProcess emu;
    QTemporaryDir dir;
    if (!startEmulatorAsCom1(emu, dir.path(), {QStringLiteral("--no-pacing")}))
        return 1;

    vq::ScriptedPrompter prompter;
    vq::Application::Options options;
    options.programFile = dir.filePath(QStringLiteral("vq530t-link"));
    options.backupFolder = dir.filePath(QStringLiteral("backups"));
    options.prompter = &prompter;
    options.portDialog = [](vq::PortSelection &s) { s.CmdCancel_Click(); };
    vq::Application program(options);
    if (!program.Main() || !program.serialPort().isOpen()) {
        std::fprintf(stderr, "the program did not open the emulator's line\n");
        return 1;
    }
    const qint64 afterStart = statusKb("VmHWM:");
    // Setting Data Read, then Data Get, as a user would.
    program.mainWindow().CmdVqCom(0)->click();
    program.mainWindow().CmdVqCom(3)->click();
    if (program.operations().CommError() || !program.logWindow().window()) {
        std::fprintf(stderr, "Data Get did not open the log window\n");
        return 1;
    }
    // Let both windows paint.
    QEventLoop loop;
    QTimer::singleShot(500, &loop, &QEventLoop::quit);
    loop.exec();
    std::printf("Peak resident memory (VmHWM) after Data Get with the log window open: %.1f MB "
                "(%.1f MB after start-up; VmRSS now %.1f MB)\n",
                double(statusKb("VmHWM:")) / 1024.0, double(afterStart) / 1024.0, double(statusKb("VmRSS:")) / 1024.0);
    emu.stop();
    return 0;
}
