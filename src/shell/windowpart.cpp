#include "shell/windowpart.h"

#include "logwindow/graphpicture.h"
#include "platform/console.h"
#include "platform/endsignals.h"
#include "shell/application.h"
#include "shell/frmmain.h"

#include <QApplication>

#include <cstdio>

namespace {

int runWindow(int argc, char *argv[], const vq::cli::Invocation &invocation)
{
    QApplication app(argc, argv);
    app.setApplicationName(vq::kAppTitle);
    // The program ends when its main window is unloaded, also while the log
    // window is still open.
    app.setQuitOnLastWindowClosed(false);

    vq::Application::Options options;
    options.programFile = QCoreApplication::applicationFilePath();
    options.portDevice = invocation.port;
    vq::Application program(options);
    bool ended = false;
    QObject::connect(&program, &vq::Application::ended, &app, [&ended] { ended = true; });
    QObject::connect(&program, &vq::Application::ended, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    // Installed before start-up, so the lock taken there is released however
    // the user ends the program.
    const std::unique_ptr<QObject> endSignals = vq::catchEndSignals([&program] {
        program.mainWindow().close(); // as Exit does
        // A box or dialog still up (start-up's port dialog) goes as well.
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });

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

int runDrawingCommand(int argc, char *argv[], const vq::cli::Invocation &invocation,
                      const vq::cli::Environment &environment)
{
    vq::chooseOffscreenWithoutDisplay();
    QGuiApplication app(argc, argv);
    app.setApplicationName(vq::kAppTitle);
    vq::cli::Environment env = environment;
    env.savePlot = vq::saveGraphPicture;
    return vq::cli::run(invocation, env);
}

const vq::WindowPart kPart{runWindow, runDrawingCommand};

} // namespace

const vq::WindowPart *vq530tWindowPart()
{
    return &kPart;
}
