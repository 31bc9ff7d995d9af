// How long the command line takes as a whole process, start-up included,
// beyond the line's own time: "read FILE.set" and "get-log FILE.csv" against
// the emulator paced at 9600 baud. Prints the figures; passes or fails nothing.
//
//   bench_cli [repetitions]

#include "emulatorprocess.h"
#include "link/commandexchange.h"
#include "runlog/runlog.h"
#include "figures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double kMsPerChar = 1.1458; // 11 bits at 9600 baud

// Median and worst of the program's run time beyond `wireChars` characters.
Figures overhead(const QStringList &args, int wireChars, int repetitions)
{
    std::vector<double> over;
    for (int i = 0; i < repetitions; ++i) {
        QProcess p;
        QElapsedTimer t;
        t.start();
        p.start(QStringLiteral(VQ_PROGRAM_PATH), args);
        if (!p.waitForFinished(30000) || p.exitCode() != 0)
            std::fprintf(stderr, "run %d of %s failed: %s\n", i, qPrintable(args.join(u' ')),
                         p.readAllStandardError().constData());
        over.push_back(double(t.nsecsElapsed()) / 1e6 - wireChars * kMsPerChar);
    }
    return medianAndSlowest(over);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTemporaryDir dir;
    EmulatorProcess emu;
    const QString tty = emu.start();
    if (tty.isEmpty()) {
        std::fprintf(stderr, "emulator did not start: %s\n", qPrintable(emu.errorText()));
        return 1;
    }
    const QStringList port{QStringLiteral("--port"), tty};
    const auto read = overhead(port + QStringList{QStringLiteral("read"), dir.filePath(QStringLiteral("a.set"))},
                               2 + vq::kReadReplyLength, repetitions);
    const auto get = overhead(port + QStringList{QStringLiteral("get-log"), dir.filePath(QStringLiteral("a.csv"))},
                              2 + vq::kRunReplyLength + 1, repetitions);
    std::printf("command line read:    beyond wire time %.1f ms median, %.1f ms worst (%d runs)\n", read.median,
                read.slowest, repetitions);
    std::printf("command line get-log: beyond wire time %.1f ms median, %.1f ms worst (%d runs)\n", get.median,
                get.slowest, repetitions);
    return 0;
}
