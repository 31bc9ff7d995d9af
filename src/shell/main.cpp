// VQ530T Link: settings editor and run-data viewer for the VQ530T controller.

#include "shell/application.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(vq::kAppTitle);
    // The program ends when its main window is unloaded, also while the log
    // window is still open.
    app.setQuitOnLastWindowClosed(false);

    vq::Application::Options options;
    options.programFile = QCoreApplication::applicationFilePath();
    vq::Application program(options);
    QObject::connect(&program, &vq::Application::ended, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    if (!program.Main())
        return 0;
    return app.exec();
}
