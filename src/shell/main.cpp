// VQ530T Link: settings editor and run-data viewer for the VQ530T controller.

#include "cli/commandline.h"
#include "platform/config.h"
#include "platform/console.h"
#include "shell/windowpart.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

#include <cstdio>

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

// The program's own file, before any application object exists.
QString programFile(const char *argv0)
{
#ifdef Q_OS_LINUX
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (!self.isEmpty())
        return self;
#endif
    return QFileInfo(QString::fromLocal8Bit(argv0)).absoluteFilePath();
}

// The window and the drawing: linked in, or the module beside the program
// (in the build) or in its library folder (installed).
const vq::WindowPart *windowPart(const char *argv0)
{
#ifdef VQ_WINDOW_PART_LINKED
    Q_UNUSED(argv0);
    return vq530tWindowPart();
#else
    const QString folder = QFileInfo(programFile(argv0)).absolutePath();
    for (const QString &dir : {folder, folder + QStringLiteral("/" VQ_WINDOW_PART_DIR)}) {
        QLibrary module(dir + QStringLiteral("/" VQ_WINDOW_PART_FILE));
        if (const auto entry = reinterpret_cast<const vq::WindowPart *(*)()>(module.resolve("vq530tWindowPart")))
            return entry();
    }
    std::fprintf(stderr, "%s: the window's module %s is missing\n", argv0, VQ_WINDOW_PART_FILE);
    return nullptr;
#endif
}

vq::cli::Environment environmentOf(const char *argv0)
{
    vq::cli::Environment env;
    env.profileFolder = vq::profileFolder(QFileInfo(programFile(argv0)).absolutePath());
    return env;
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
    const vq::cli::Invocation &invocation = *parsed.invocation;
    if (vq::cli::wantsWindow(invocation)) {
        const vq::WindowPart *part = windowPart(argv[0]);
        return part ? part->runWindow(argc, argv, invocation) : vq::cli::ExitFailed;
    }

    // A command runs without a window and needs no display; only `plot`
    // draws, which takes the GUI library.
    qInstallMessageHandler(dropDiagnostics);
    if (invocation.command == u"plot") {
        const vq::WindowPart *part = windowPart(argv[0]);
        return part ? part->runDrawingCommand(argc, argv, invocation, environmentOf(argv[0])) : vq::cli::ExitFailed;
    }
    QCoreApplication app(argc, argv);
    app.setApplicationName(vq::kAppTitle);
    return vq::cli::run(invocation, environmentOf(argv[0]));
}
