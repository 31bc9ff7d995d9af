// Time of one full redraw of the log window with a full 512-sample log, at
// the window's loading size and at 1920 x 1080 pixels, alone, with a second
// run compared and zoomed to a minute. Prints the median and the slowest of
// many redraws; it does not pass or fail.
//
//   bench_redraw [repetitions]     (default 400)

#include "logwindow/graphrenderer.h"
#include "logwindow/logwindowhost.h"
#include "platform/config.h"
#include "figures.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// A typical run: the battery sags from 8.4 V under load with a ripple, the
// current climbs and drops by tens of amperes from second to second.
vq::RunLog typicalLog()
{
    vq::RunLog log;
    for (int n = 1; n <= vq::kLogSamples; ++n) {
        const double load = 150 + 90 * std::sin(n * 0.11) + 40 * std::sin(n * 0.9);
        log.setVolt(n, float(std::round((8.4 - n * 0.004 - load * 0.004) * 10) / 10));
        log.setCur(n, float(std::round(load / 10) * 10));
    }
    return log;
}

// The worst case: both curves swing across most of the height every second,
// so each of the 1,024 segments is a long steep line.
vq::RunLog zigZagLog()
{
    vq::RunLog log;
    for (int n = 1; n <= vq::kLogSamples; ++n) {
        log.setVolt(n, n % 2 ? 1.0f : 9.0f);
        log.setCur(n, n % 2 ? 280.0f : 20.0f);
    }
    return log;
}

// A second run like `log`, five seconds later and a fifth gentler.
vq::RunLog laterRun(const vq::RunLog &log)
{
    vq::RunLog other;
    for (int n = 1; n <= vq::kLogSamples; ++n) {
        const int from = std::max(1, n - 5);
        other.setVolt(n, log.RunVolt(from) + 0.2f);
        other.setCur(n, log.RunCur(from) * 0.8f);
    }
    return other;
}

Figures measure(int repetitions, const std::function<void()> &redraw)
{
    for (int i = 0; i < 10; ++i) // warm caches and the allocator
        redraw();
    std::vector<double> ms;
    ms.reserve(size_t(repetitions));
    QElapsedTimer timer;
    for (int i = 0; i < repetitions; ++i) {
        timer.start();
        redraw();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return medianAndSlowest(ms);
}

void print(const char *what, QSize size, Figures f)
{
    std::printf("%-34s %4d x %-4d  median %7.3f ms   slowest %7.3f ms\n", what, size.width(), size.height(),
                f.median, f.slowest);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 400;

    vq::GraphOptions options;
    options.voltScaleLine = true;
    options.curScaleLine = true;
    QTemporaryDir dir;
    vq::Config config(dir.path());
    config.ScaleLineState = {1, 1};

    std::printf("Redraw of a full 512-sample log, both scale lines on, median of %d\n", repetitions);
    for (const auto &[name, log] : {std::pair{"typical run", typicalLog()}, std::pair{"zig-zag worst case", zigZagLog()}}) {
        std::printf("\n%s\n", name);
        // The drawing alone, into the plot's image.
        for (const QSize size : {QSize(383, 203), QSize(1920, 1080)}) {
            QImage image(size, QImage::Format_RGB32);
            print("graph drawing (plot inside)", size,
                  measure(repetitions, [&] { vq::renderGraph(image, log, options); }));
        }
        // Compared with a run of its kind, a little later and a little
        // gentler: whole and zoomed to a minute.
        const vq::RunLog other = laterRun(log);
        vq::GraphOptions compared = options;
        compared.comparison = &other;
        QImage big(QSize(1920, 1080), QImage::Format_RGB32);
        print("graph drawing, compared", big.size(),
              measure(repetitions, [&] { vq::renderGraph(big, log, compared); }));
        compared.view = {200, 60};
        print("graph drawing, compared, 60 s", big.size(),
              measure(repetitions, [&] { vq::renderGraph(big, log, compared); }));
        // The window's whole redraw: size rules, layout of the controls and
        // the 29 labels, and the graph.
        vq::RunLog windowLog = log;
        vq::LogWindowHost host(nullptr, config, windowLog);
        host.SetGraphFile();
        vq::FrmLog *window = host.window();
        for (const QSize outer : {QSize(467, 347), QSize(1920, 1080)}) {
            window->resize(outer - (window->frameGeometry().size() - window->size()));
            print("window redraw (outer size)", window->frameGeometry().size(),
                  measure(repetitions, [&] { window->redraw(); }));
        }
        window->setComparison(vq::ComparedRun{other, QStringLiteral("other.csv")});
        print("window redraw, compared", window->frameGeometry().size(),
              measure(repetitions, [&] { window->redraw(); }));
    }
    return 0;
}
