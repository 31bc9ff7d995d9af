// Start-up time: from launching the program to the first paint of its main
// window, with the port opened on the controller emulator. Each run is a new
// process (this program started again in a child role), so loading the
// libraries, making the application object, reading the profile file,
// opening the port and showing the window are all counted. The launch time
// and the paint time are read from the same system-wide monotonic clock.
// Prints the median and the slowest run; it passes or fails nothing.
//
//   bench_startup [runs, default 15]

#include "emulatorprocess.h"
#include "pinnedemulator.h"
#include "figures.h"
#include "link/portselection.h"
#include "platform/profilefile.h"
#include "scriptedprompter.h"
#include "platform/serialport.h"
#include "shell/application.h"
#include "shell/frmmain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

const char kChildFolder[] = "VQ_STARTUP_CHILD_FOLDER";

qint64 monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// Quits at the first paint of the watched window and tells when it came.
class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_paintNs == 0) {
            m_paintNs = monotonicNs();
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }
    qint64 m_paintNs = 0;
};

// The child: the program as main.cpp starts it, in the given folder.
int runProgram(const QString &folder, int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(vq::kAppTitle);
    app.setQuitOnLastWindowClosed(false);
    vq::ScriptedPrompter prompter; // a start-up that asks something shows in the figures
    vq::Application::Options options;
    options.programFile = folder + QStringLiteral("/vq530t-link");
    options.prompter = &prompter;
    options.portDialog = [](vq::PortSelection &s) { s.CmdCancel_Click(); };
    vq::Application program(options);
    FirstPaint watcher;
    program.mainWindow().installEventFilter(&watcher);
    if (!program.Main())
        return 3;
    // Quitting closes the windows and with them the port: look now.
    const bool portOpened = program.serialPort().isOpen();
    QTimer::singleShot(10000, &app, &QCoreApplication::quit);
    app.exec();
    if (watcher.m_paintNs == 0)
        return 4;
    std::printf("painted %lld port %d boxes %d\n", static_cast<long long>(watcher.m_paintNs), int(portOpened),
                int(prompter.messageCount()));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsSet(kChildFolder))
        return runProgram(qEnvironmentVariable(kChildFolder), argc, argv);

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;

    EmulatorProcess emu;
    QTemporaryDir dir;
    if (!startEmulatorAsCom1(emu, dir.path(), {QStringLiteral("--no-pacing")}))
        return 1;

    std::vector<double> ms;
    for (int i = 0; i < runs + 1; ++i) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kChildFolder), dir.path());
        child.setProcessEnvironment(env);
        child.setProgram(QCoreApplication::applicationFilePath());
        const qint64 launched = monotonicNs();
        child.start();
        if (!child.waitForFinished(30000) || child.exitCode() != 0) {
            std::fprintf(stderr, "run %d failed (exit %d): %s\n", i, child.exitCode(),
                         child.readAllStandardError().constData());
            return 1;
        }
        const QList<QByteArray> words = child.readAllStandardOutput().trimmed().split(' ');
        if (words.value(3) != "1") {
            std::fprintf(stderr, "run %d did not open the port\n", i);
            return 1;
        }
        if (i == 0)
            continue; // the first run fills the file cache
        ms.push_back(double(words.value(1).toLongLong() - launched) / 1e6);
    }
    const Figures f = medianAndSlowest(ms);
    std::printf("Start-up to first paint of the main window (port opened, %s): median %.1f ms, slowest %.1f ms (%d runs)\n",
                qgetenv("QT_QPA_PLATFORM").constData(), f.median, f.slowest, runs);
    emu.stop();
    return 0;
}
