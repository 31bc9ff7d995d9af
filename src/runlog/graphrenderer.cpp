#include "runlog/graphrenderer.h"

#include "runlog/loglayout.h"
#include "shell/conversions.h"

#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPen>

namespace vq {

namespace {

// Full scale of the curves: slightly above the grid's 10 V and 300 A, so a
// value sits a little lower than the grid would put it.
constexpr double kVoltFullScale = 10.01;
constexpr double kCurFullScale = 300.33;
constexpr double kTimeFullScale = 540;
constexpr double kTickLength = 70;

} // namespace

double voltToPlotY(float volts, double H)
{
    return roundHalfEven((kVoltFullScale - double(volts)) * H / kVoltFullScale);
}

double curToPlotY(float amperes, double H)
{
    return roundHalfEven((kCurFullScale - double(amperes)) * H / kCurFullScale);
}

double sampleToPlotX(int n, double W)
{
    return roundHalfEven(n * W / kTimeFullScale);
}

void renderGraph(QImage &image, const RunLog &log, const GraphOptions &options)
{
    const int w = image.width();
    const int h = image.height();
    if (w <= 0 || h <= 0)
        return;
    const double W = roundHalfEven(w * kTwipsPerPixel);
    const double H = roundHalfEven(h * kTwipsPerPixel);

    // Coordinates reach the drawing call in single precision, as they always
    // have; only there do they become pixels.
    const auto line = [w, h](double x1, double y1, double x2, double y2) {
        return QLineF(plotToPixel(float(x1), w), plotToPixel(float(y1), h), plotToPixel(float(x2), w),
                      plotToPixel(float(y2), h));
    };

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(image.rect(), kPlotBackground);

    // One-pixel grid with square caps, so both end points are drawn.
    painter.setPen(QPen(kGridColour, 1, Qt::SolidLine, Qt::SquareCap));

    // Voltage grid: a line at each volt from 0 to 9 V, none at the top.
    for (int i = 0; i <= 9; ++i) {
        const double y = roundHalfEven((10 - i) * H / 10);
        painter.drawLine(line(0, y, options.voltScaleLine ? W : kTickLength, y));
    }

    // Current grid: every 50 A from 0 to 250 A, a tick at the right edge and
    // either a line across or the same tick again.
    for (int i = 0; i <= 5; ++i) {
        const double tickY = (6 - i) * H / 6;
        painter.drawLine(line(W - kTickLength, tickY, W, tickY));
        const double y = roundHalfEven(tickY);
        painter.drawLine(line(options.curScaleLine ? 0 : W - kTickLength, y, W, y));
    }

    // Time grid: every 30 s from 0 to 510 s, always drawn.
    for (int i = 0; i <= 8; ++i) {
        const double x1 = roundHalfEven(i * W / 9);
        const double x2 = roundHalfEven((i + 0.5) * W / 9);
        painter.drawLine(line(x1, 0, x1, H));
        painter.drawLine(line(x2, 0, x2, H));
    }

    // Curves. Only slot n is tested for the empty marker: after an empty slot
    // the next segment starts from the value -1, just below the bottom edge,
    // and rises into view. Sample 1 starts level from the left edge.
    QPen voltPen(options.voltColour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QPen curPen(options.curColour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    for (int n = 1; n <= kLogSamples; ++n) {
        const double x = sampleToPlotX(n, W);
        const double prevX = n == 1 ? 0 : sampleToPlotX(n - 1, W);
        const int p = n == 1 ? n : n - 1;
        const float volt = log.RunVolt(n);
        if (volt != kEmptySample) {
            painter.setPen(voltPen);
            painter.drawLine(line(prevX, voltToPlotY(log.RunVolt(p), H), x, voltToPlotY(volt, H)));
        }
        const float cur = log.RunCur(n);
        if (cur != kEmptySample) {
            painter.setPen(curPen);
            painter.drawLine(line(prevX, curToPlotY(log.RunCur(p), H), x, curToPlotY(cur, H)));
        }
    }
}

} // namespace vq
