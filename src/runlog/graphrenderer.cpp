#include "runlog/graphrenderer.h"

#include "runlog/loglayout.h"
#include "core/conversions.h"

#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <utility>

namespace vq {

namespace {

// Full scale of the curves: slightly above the grid's 10 V and 300 A, so a
// value sits a little lower than the grid would put it.
constexpr double kVoltFullScale = 10.01;
constexpr double kCurFullScale = 300.33;
constexpr double kTimeFullScale = 540;
constexpr double kTickLength = 70;

// The smallest whole number not below v, for |v| well inside the int range;
// cheaper than std::ceil, which is a library call on baseline x86-64.
inline int ceilToInt(double v)
{
    const int i = int(v);
    return double(i) < v ? i + 1 : i;
}

// A line two pixels thick without antialiasing, written straight into an
// RGB32 image: the pixels whose centres lie within one pixel of the line,
// measured along the line's minor axis, including one pixel past each end
// so that the segments of a curve join without gaps. The painter's wide pen
// strokes a polygon for each segment, which costs over a microsecond each and
// made a full redraw several times slower than this.
void drawThickLine(QImage &image, QPointF from, QPointF to, QRgb colour)
{
    double x0 = from.x(), y0 = from.y(), x1 = to.x(), y1 = to.y();
    // A value read from a file may be huge or infinite: such a line has no
    // defined course through the plot and is left out.
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
        return;
    const int w = image.width();
    const int h = image.height();
    uchar *bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const auto plot = [&](int col, int row) {
        if (col >= 0 && col < w && row >= 0 && row < h)
            reinterpret_cast<QRgb *>(bits + row * stride)[col] = colour;
    };
    // First and last pixel whose centre lies in [lo, hi), clamped to 0..limit-1.
    const auto span = [](double lo, double hi, int limit) {
        const double first = std::max(0.0, std::ceil(lo - 0.5));
        const double last = std::min(double(limit - 1), std::ceil(hi - 0.5) - 1);
        return std::pair<int, int>(first > last ? 1 : int(first), first > last ? 0 : int(last));
    };

    const bool steep = std::abs(y1 - y0) > std::abs(x1 - x0);
    if (steep) {
        if (y0 > y1) {
            std::swap(x0, x1);
            std::swap(y0, y1);
        }
        const auto [firstRow, lastRow] = span(y0 - 1, y1 + 1, h);
        const double slope = (x1 - x0) / (y1 - y0);
        // A curve that swings across the plot every second is mostly such
        // steep runs, one pixel pair a row: keep this loop lean.
        const qsizetype rowStep = stride / qsizetype(sizeof(QRgb));
        QRgb *line = reinterpret_cast<QRgb *>(bits + firstRow * stride);
        // Between y0 and y1 the line's x at a row's centre grows by `slope`
        // from row to row; above and below it stays at the end points.
        const double offset = x0 - 1.5 + (0.5 - y0) * slope;
        for (int row = firstRow; row <= lastRow; ++row, line += rowStep) {
            const double centre = row + 0.5;
            const double shifted = centre <= y0 ? x0 - 1.5 : centre >= y1 ? x1 - 1.5 : offset + row * slope;
            const int col = ceilToInt(shifted); // centres in [x-1, x+1)
            if (col >= 0 && col + 1 < w) {
                line[col] = colour;
                line[col + 1] = colour;
            } else {
                plot(col, row);
                plot(col + 1, row);
            }
        }
    } else {
        if (x0 > x1) {
            std::swap(x0, x1);
            std::swap(y0, y1);
        }
        const auto [firstCol, lastCol] = span(x0 - 1, x1 + 1, w);
        const double slope = x1 > x0 ? (y1 - y0) / (x1 - x0) : 0;
        for (int col = firstCol; col <= lastCol; ++col) {
            const double y = y0 + (std::clamp(col + 0.5, x0, x1) - x0) * slope;
            if (y < -2 || y > h + 2)
                continue;
            const int row = ceilToInt(y - 1.5);
            plot(col, row);
            plot(col, row + 1);
        }
    }
}

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

    image.fill(kPlotBackground); // wipes everything drawn before
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);

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

    painter.end();

    // Curves. Only slot n is tested for the empty marker: after an empty slot
    // the next segment starts from the value -1, just below the bottom edge,
    // and rises into view. Sample 1 starts level from the left edge. Each
    // sample's voltage segment goes down before its current segment.
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32
        && image.format() != QImage::Format_ARGB32_Premultiplied)
        image.convertTo(QImage::Format_RGB32);
    const QRgb voltColour = options.voltColour.rgb();
    const QRgb curColour = options.curColour.rgb();
    const auto point = [w, h](double x, double y) {
        return QPointF(plotToPixel(float(x), w), plotToPixel(float(y), h));
    };
    for (int n = 1; n <= kLogSamples; ++n) {
        const double x = sampleToPlotX(n, W);
        const double prevX = n == 1 ? 0 : sampleToPlotX(n - 1, W);
        const int p = n == 1 ? n : n - 1;
        const float volt = log.RunVolt(n);
        if (volt != kEmptySample)
            drawThickLine(image, point(prevX, voltToPlotY(log.RunVolt(p), H)), point(x, voltToPlotY(volt, H)),
                          voltColour);
        const float cur = log.RunCur(n);
        if (cur != kEmptySample)
            drawThickLine(image, point(prevX, curToPlotY(log.RunCur(p), H)), point(x, curToPlotY(cur, H)),
                          curColour);
    }
}

} // namespace vq
