// VQ530T Link: settings editor and run-data viewer for the VQ530T controller.

#include "cli/commandline.h"
#include "platform/config.h"
#include "platform/console.h"
#include "runlog/graphpicture.h"
#include "shell/application.h"
#include "shell/frmmain.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// SIGINT, SIGTERM and SIGHUP end the program as Exit does: the handler only
// writes a byte into a socket pair, and the event loop reads it.
int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

bool catchEndSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return false;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
    return true;
}

} // namespace
#endif

namespace {

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList list;
    for (int i = 1; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

// Qt's own diagnostics (a missing XDG_RUNTIME_DIR under cron or su, font
// warnings of the offscreen platform) are not the command's messages:
// standard error carries only what a script should read.
void dropDiagnostics(QtMsgType, const QMessageLogContext &, const QString &) {}

// A command runs without a window and needs no display; `plot` draws, which
// takes the GUI library, on the offscreen platform where there is no display.
int runCommand(int argc, char *argv[], const vq::cli::Invocation &invocation)
{
    qInstallMessageHandler(dropDiagnostics);
    const bool draws = invocation.command == u"plot";
    if (draws)
        vq::chooseOffscreenWithoutDisplay();
    const std::unique_ptr<QCoreApplication> app(draws ? new QGuiApplication(argc, argv)
                                                      : new QCoreApplication(argc, argv));
    app->setApplicationName(vq::kAppTitle);
    vq::cli::Environment env;
    if (draws)
        env.savePlot = vq::saveGraphPicture;
    env.profileFolder = vq::profileFolder(QFileInfo(QCoreApplication::applicationFilePath()).absolutePath());
    return vq::cli::run(invocation, env);
}

} // namespace

int main(int argc, char *argv[])
{
    vq::attachParentConsole();
    // Window or command is decided before any window system is touched: an
    // argument error is a usage message, with or without a display.
    const vq::cli::Parsed parsed = vq::cli::parseArguments(argumentsOf(argc, argv));
    if (!parsed.invocation) {
        std::fprintf(stderr, "%s\nTry 'vq530t-link --help'.\n", qPrintable(parsed.error));
        return vq::cli::ExitUsage;
    }
    if (!vq::cli::wantsWindow(*parsed.invocation))
        return runCommand(argc, argv, *parsed.invocation);

    QApplication app(argc, argv);
    app.setApplicationName(vq::kAppTitle);
    // The program ends when its main window is unloaded, also while the log
    // window is still open.
    app.setQuitOnLastWindowClosed(false);

    vq::Application::Options options;
    options.programFile = QCoreApplication::applicationFilePath();
    options.portDevice = parsed.invocation->port;
    vq::Application program(options);
    bool ended = false;
    QObject::connect(&program, &vq::Application::ended, &app, [&ended] { ended = true; });
    QObject::connect(&program, &vq::Application::ended, &app, &QCoreApplication::quit, Qt::QueuedConnection);

#ifdef Q_OS_UNIX
    // Installed before start-up, so the lock taken there is released however
    // the user ends the program.
    std::unique_ptr<QSocketNotifier> signalNotifier;
    if (catchEndSignals()) {
        signalNotifier = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
        QObject::connect(signalNotifier.get(), &QSocketNotifier::activated, &program, [&program] {
            char byte;
            [[maybe_unused]] const ssize_t n = ::read(signalPipe[0], &byte, 1);
            program.mainWindow().close(); // as Exit does
            // A box or dialog still up (start-up's port dialog) goes as well.
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
    }
#endif

    // A signal during start-up ends the program once start-up returns.
    if (!program.Main()) {
        // Another copy runs: the box has been shown, and a script that
        // started the window hears it too.
        std::fprintf(stderr, "%s\n", qPrintable(vq::kMsgAlreadyOpened));
        return vq::cli::ExitFailed;
    }
    if (ended)
        return 0;
    return app.exec();
}
