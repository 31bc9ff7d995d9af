// How much the program adds to the line's own time in an exchange, and what a
// long wait costs in processor time. Runs against the controller emulator
// paced at the real line speed (9600 baud, 11 bits a character), prints the
// figures and exits; it passes or fails nothing.
//
//   bench_link [repetitions]

#include "link/commandexchange.h"
#include "ptylinkrig.h"
#include "figures.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace vq;

namespace {

constexpr double kMsPerChar = 1.1458; // 11 bits at 9600 baud

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The program's link against the emulator paced at 9600 baud, with the real
// time-outs; false, with a message, when the emulator did not start.
bool startLink(PtyLinkRig &link, const QStringList &args)
{
    if (link.start(args, true))
        return true;
    std::fprintf(stderr, "emulator did not start or its line did not open: %s\n", qPrintable(link.emu.errorText()));
    return false;
}

Figures overhead(PtyLinkRig &link, int index, int wireChars, int repetitions)
{
    std::vector<double> over;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer t;
        t.start();
        link.ops.CmdVqCom_Click(index);
        const double ms = double(t.nsecsElapsed()) / 1e6;
        if (link.ops.CommError())
            std::fprintf(stderr, "operation %d failed on repetition %d\n", index, i);
        over.push_back(ms - wireChars * kMsPerChar);
    }
    return medianAndSlowest(over);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    {
        PtyLinkRig link;
        if (!startLink(link, {}))
            return 1;
        // "sr" out, 68 characters back.
        const Figures read = overhead(link, 0, 2 + kReadReplyLength, repetitions);
        // "br" out, 2050 characters and the carriage return back.
        const Figures get = overhead(link, 3, 2 + kRunReplyLength + 1, repetitions);
        std::printf("Setting Data Read: overhead beyond wire time %.1f ms median, %.1f ms worst (%d runs)\n",
                    read.median, read.slowest, repetitions);
        std::printf("Data Get:          overhead beyond wire time %.1f ms median, %.1f ms worst (%d runs)\n",
                    get.median, get.slowest, repetitions);
    }
    {
        PtyLinkRig link;
        if (!startLink(link, {QStringLiteral("--fault"), QStringLiteral("silent")}))
            return 1;
        QElapsedTimer t;
        const double cpu0 = cpuSeconds();
        t.start();
        (void)link.exchange.SendCommand(QStringLiteral("be"), kCarriageReturn);
        const double wall = double(t.nsecsElapsed()) / 1e9;
        const double cpu = cpuSeconds() - cpu0;
        std::printf("\"be\" time-out against a silent controller: waited %.2f s, CPU %.3f s = %.3f %% of the wait\n",
                    wall, cpu, 100.0 * cpu / wall);
    }
    return 0;
}
