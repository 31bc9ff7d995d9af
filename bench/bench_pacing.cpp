// How closely the emulator keeps the controller's wire speed, 11 bits a
// character at 9600 baud: the "br" answer (2051 characters) should take its
// 2.35 s and arrive steadily (about 873 characters in the first second)
// rather than in one late lump. Prints the figures; passes or fails nothing.
//
//   bench_pacing [repetitions, default 3]

#include "emulatorprocess.h"
#include "figures.h"
#include "ptyhelper.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kLogAnswer = 2051;       // "br", 2048 hexadecimal digits, carriage return
constexpr double kMsPerChar = 1.1458;  // 11 bits at 9600 baud

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    EmulatorProcess emu;
    PtyEnd client;
    if (!client.open(emu.start())) {
        std::fprintf(stderr, "emulator did not start: %s\n", qPrintable(emu.errorText()));
        return 1;
    }
    // The emulator is up and answering.
    if (!client.send("rt") || client.readCount(2) != "rt") {
        std::fprintf(stderr, "emulator does not answer\n");
        return 1;
    }
    std::vector<double> totals;
    std::vector<double> firstSeconds;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (!client.send("br"))
            return 1;
        const QByteArray firstSecond = client.readFor(1000);
        const QByteArray rest = client.readUntilCr(10000);
        const double elapsed = double(clock.nsecsElapsed()) / 1e6;
        if (firstSecond.size() + rest.size() != kLogAnswer) {
            std::fprintf(stderr, "run %d: %lld characters instead of %d\n", i,
                         static_cast<long long>(firstSecond.size() + rest.size()), kLogAnswer);
            return 1;
        }
        totals.push_back(elapsed);
        firstSeconds.push_back(double(firstSecond.size()));
    }
    const Figures total = medianAndSlowest(totals);
    const Figures first = medianAndSlowest(firstSeconds);
    std::printf("emulator pacing, \"br\" answer: %.0f ms median, %.0f ms slowest (wire time %.0f ms, %d runs)\n",
                total.median, total.slowest, kLogAnswer * kMsPerChar, repetitions);
    std::printf("emulator pacing, characters in the first second: %.0f median (wire speed %.0f)\n", first.median,
                1000.0 / kMsPerChar);
    return 0;
}
