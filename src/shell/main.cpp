// VQ530T Link: settings editor and run-data viewer for the VQ530T controller.

#include "cli/commandline.h"
#include "shell/application.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList list;
    for (int i = 1; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

// A command runs without a window and needs no display.
int runCommand(int argc, char *argv[], const vq::cli::Invocation &invocation)
{
    QCoreApplication app(argc, argv);
    app.setApplicationName(vq::kAppTitle);
    vq::cli::Environment env;
    env.profileFolder = QFileInfo(QCoreApplication::applicationFilePath()).absolutePath();
    return vq::cli::run(invocation, env);
}

} // namespace

int main(int argc, char *argv[])
{
    // Commands and --help/--version are told apart before any window system
    // is touched; anything else (Qt's own options among it) starts the window.
    const vq::cli::Parsed early = vq::cli::parseArguments(argumentsOf(argc, argv));
    if (early.invocation && !vq::cli::wantsWindow(*early.invocation))
        return runCommand(argc, argv, *early.invocation);

    QApplication app(argc, argv);
    app.setApplicationName(vq::kAppTitle);
    // The program ends when its main window is unloaded, also while the log
    // window is still open.
    app.setQuitOnLastWindowClosed(false);

    const vq::cli::Parsed parsed = vq::cli::parseArguments(app.arguments().mid(1));
    if (!parsed.invocation) {
        std::fprintf(stderr, "%s\nTry 'vq530t-link --help'.\n", qPrintable(parsed.error));
        return vq::cli::ExitUsage;
    }

    vq::Application::Options options;
    options.programFile = QCoreApplication::applicationFilePath();
    options.portDevice = parsed.invocation->port;
    vq::Application program(options);
    QObject::connect(&program, &vq::Application::ended, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    if (!program.Main())
        return 0;
    return app.exec();
}
