// vq530t-emulator: a VQ530T controller on a pseudo-terminal, so the program
// can be run and tested end to end through its real serial port code.

#include "emulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

using namespace vq::emu;

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto ignored = ::write(signalPipe[1], &byte, 1);
}

void printLine(const QString &line)
{
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

[[nodiscard]] bool positiveNumber(const QString &text, int &value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value > 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // Signals end the event loop through a socket pair, so the link is
    // removed and the state is left whole. Installed first, so that a signal
    // during start-up isn't lost.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        std::perror("vq530t-emulator: socketpair");
        return 1;
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vq530t-emulator"));
    // The one version of project(), as the Debian package carries it
    // (emulator/CMakeLists.txt).
    QCoreApplication::setApplicationVersion(QStringLiteral(VQ_EMULATOR_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Emulates a VQ530T speed controller on a pseudo-terminal (9600 baud, 8O1).\n"
        "Prints the serial device's path as its first line, then runs until\n"
        "SIGINT/SIGTERM or until standard input closes. A line \"fault MODE\" on\n"
        "standard input switches the fault mode (answer: \"ok MODE\").\n"
        "Fault modes: ") + faultModeNames().join(u", "));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption linkOption(QStringLiteral("link"),
        QStringLiteral("Keep a symbolic link at <path> pointing to the serial device."), QStringLiteral("path"));
    const QCommandLineOption stateOption(QStringLiteral("state"),
        QStringLiteral("Keep setting data and run-data log in <file> across restarts."), QStringLiteral("file"));
    const QCommandLineOption traceOption(QStringLiteral("trace"),
        QStringLiteral("Write every chunk received and sent to <file>."), QStringLiteral("file"));
    const QCommandLineOption noPacingOption(QStringLiteral("no-pacing"),
        QStringLiteral("Send answers at once instead of at 9600 baud."));
    const QCommandLineOption faultOption(QStringLiteral("fault"),
        QStringLiteral("Start in fault mode <mode> (default none)."), QStringLiteral("mode"), QStringLiteral("none"));
    const QCommandLineOption delayOption(QStringLiteral("delay"),
        QStringLiteral("How late the late fault answers, in ms (default 4000)."), QStringLiteral("ms"), QStringLiteral("4000"));
    const QCommandLineOption unaskedOption(QStringLiteral("unasked-ms"),
        QStringLiteral("How often the unasked fault sends, in ms (default 500)."), QStringLiteral("ms"), QStringLiteral("500"));
    const QCommandLineOption noStdinOption(QStringLiteral("no-stdin"),
        QStringLiteral("Don't read standard input (run until a signal)."));
    parser.addOptions({linkOption, stateOption, traceOption, noPacingOption, faultOption, delayOption,
                       unaskedOption, noStdinOption});
    parser.process(app);

    EmulatorOptions options;
    options.linkPath = parser.value(linkOption);
    options.statePath = parser.value(stateOption);
    options.tracePath = parser.value(traceOption);
    options.pacing = !parser.isSet(noPacingOption);
    const auto fault = faultModeFromName(parser.value(faultOption));
    if (!fault) {
        std::fprintf(stderr, "vq530t-emulator: unknown fault mode %s (one of: %s)\n",
                     qPrintable(parser.value(faultOption)), qPrintable(faultModeNames().join(u", ")));
        return 2;
    }
    options.fault = *fault;
    if (!positiveNumber(parser.value(delayOption), options.delayMs)
        || !positiveNumber(parser.value(unaskedOption), options.unaskedMs)) {
        std::fprintf(stderr, "vq530t-emulator: --delay and --unasked-ms take a positive number of ms\n");
        return 2;
    }

    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });

    Emulator emulator(options);
    QObject::connect(&emulator, &Emulator::operatorLine, &app, printLine);
    QString error;
    if (!emulator.start(&error)) {
        std::fprintf(stderr, "vq530t-emulator: %s\n", qPrintable(error));
        return 1;
    }

    std::unique_ptr<QSocketNotifier> stdinNotifier;
    QByteArray typed;
    if (!parser.isSet(noStdinOption)) {
        stdinNotifier = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(stdinNotifier.get(), &QSocketNotifier::activated, &app, [&] {
            char buffer[1024];
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                return;
            if (n <= 0) {
                stdinNotifier->setEnabled(false);
                QCoreApplication::quit();
                return;
            }
            typed.append(buffer, n);
            qsizetype end;
            while ((end = typed.indexOf('\n')) >= 0) {
                const QString line = QString::fromLocal8Bit(typed.left(end)).trimmed();
                typed.remove(0, end + 1);
                if (!line.isEmpty())
                    printLine(emulator.controlLine(line));
            }
        });
    }

    return app.exec();
}
