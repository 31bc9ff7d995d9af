#include "logwindow/graphrenderer.h"

#include "core/conversions.h"
#include "runlog/loglayout.h"

#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QSize>

#include <algorithm>
#include <cmath>
#include <utility>

namespace vq {

namespace {

// Full scale of the curves: slightly above the grid's 10 V and 300 A, so a
// value sits a little lower than the grid would put it.
constexpr double kVoltFullScale = 10.01;
constexpr double kCurFullScale = 300.33;
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
        if (firstRow > lastRow)
            return;
        const double slope = (x1 - x0) / (y1 - y0);
        // The pixel pair of a row starts at the first column whose centre
        // lies in [x-1, x+1), x being the line's x at the row's centre: the
        // end point's x above y0 and below y1, in between x0 + (centre - y0)
        // * slope, worked out as offset + row * slope.
        const double offset = x0 - 1.5 + (0.5 - y0) * slope;
        const auto colAt = [offset, slope](int row) { return ceilToInt(offset + row * slope); };
        const qsizetype rowStep = stride / qsizetype(sizeof(QRgb));
        QRgb *const top = reinterpret_cast<QRgb *>(bits);
        // A curve that swings across the plot every second is mostly such
        // steep lines, whose column changes only every few rows: each run
        // of rows on one column is a plain loop of stores.
        const auto column = [&](int col, int from, int to) {
            if (from > to)
                return;
            QRgb *line = top + from * rowStep;
            const QRgb *const end = top + (to + 1) * rowStep;
            if (col >= 0 && col + 1 < w) {
                for (; line != end; line += rowStep) {
                    line[col] = colour;
                    line[col + 1] = colour;
                }
            } else if (col == -1 || col == w - 1) {
                const int inside = col == -1 ? 0 : col;
                for (; line != end; line += rowStep)
                    line[inside] = colour;
            }
        };
        // Rows whose centre lies at or above y0, then those at or below y1,
        // clamped to the rows drawn.
        const auto rowAtOrBelow = [firstRow, lastRow](double v) {
            return v < firstRow ? firstRow - 1 : v >= lastRow ? lastRow : int(std::floor(v));
        };
        const int lastAbove = rowAtOrBelow(y0 - 0.5);
        const int firstBelow = std::max(lastAbove + 1, rowAtOrBelow(std::ceil(y1 - 0.5) - 1) + 1);
        column(ceilToInt(x0 - 1.5), firstRow, lastAbove);
        column(ceilToInt(x1 - 1.5), firstBelow, lastRow);
        const int from = lastAbove + 1;
        const int to = firstBelow - 1;
        if (from > to)
            return;
        if (std::abs(slope) > 0.25) {
            // Short runs: a column a row or two.
            for (int row = from; row <= to; ++row)
                column(colAt(row), row, row);
            return;
        }
        for (int row = from; row <= to;) {
            const int col = colAt(row);
            // The run's last row: where the line's x leaves (col - 1, col],
            // estimated, then settled on the exact columns.
            const double leaves = ((slope > 0 ? col : col - 1) - offset) / slope;
            int last = slope == 0 || leaves >= to ? to : leaves <= row ? row : int(leaves);
            while (last < to && colAt(last + 1) == col)
                ++last;
            while (last > row && colAt(last) != col)
                --last;
            column(col, row, last);
            row = last + 1;
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

double sampleToPlotX(int n, double W, const TimeView &view)
{
    return roundHalfEven((n - view.start) * W / view.span);
}

namespace {

// The graph's strokes in pixel coordinates of a w x h plot, in drawing order:
// first the grid (one-pixel lines with square caps), then the curves (two
// pixels wide). The picture and the SVG file draw the same strokes.
template <class GridStroke, class CurveStroke>
void traceGraph(int w, int h, const RunLog &log, const GraphOptions &options, GridStroke grid,
                CurveStroke curve)
{
    const double W = roundHalfEven(w * kTwipsPerPixel);
    const double H = roundHalfEven(h * kTwipsPerPixel);

    // Coordinates reach the drawing call in single precision, as they always
    // have; only there do they become pixels.
    const auto line = [w, h](double x1, double y1, double x2, double y2) {
        return QLineF(plotToPixel(float(x1), w), plotToPixel(float(y1), h), plotToPixel(float(x2), w),
                      plotToPixel(float(y2), h));
    };

    // Voltage grid: a line at each volt from 0 to 9 V, none at the top.
    for (int i = 0; i <= 9; ++i) {
        const double y = roundHalfEven((10 - i) * H / 10);
        grid(line(0, y, options.voltScaleLine ? W : kTickLength, y));
    }

    // Current grid: every 50 A from 0 to 250 A, a tick at the right edge and
    // either a line across or the same tick again.
    for (int i = 0; i <= 5; ++i) {
        const double tickY = (6 - i) * H / 6;
        grid(line(W - kTickLength, tickY, W, tickY));
        const double y = roundHalfEven(tickY);
        grid(line(options.curScaleLine ? 0 : W - kTickLength, y, W, y));
    }

    const TimeView &view = options.view;
    if (view.isWhole()) {
        // Time grid: every 30 s from 0 to 510 s, always drawn.
        for (int i = 0; i <= 8; ++i) {
            const double x1 = roundHalfEven(i * W / 9);
            const double x2 = roundHalfEven((i + 0.5) * W / 9);
            grid(line(x1, 0, x1, H));
            grid(line(x2, 0, x2, H));
        }
    } else {
        // Zoomed: a line at every labelled second and halfway between, none
        // at the right edge, as at rest.
        const double half = timeLabelStep(view) / 2.0;
        for (double s = std::ceil(view.start / half) * half; s < view.end(); s += half) {
            const double x = roundHalfEven(view.fractionOf(s) * W);
            grid(line(x, 0, x, H));
        }
    }

    // Curves. Only slot n is tested for the empty marker: after an empty slot
    // the next segment starts from the value -1, just below the bottom edge,
    // and rises into view. Sample 1 starts level from the left edge. Each
    // sample's voltage segment goes down before its current segment.
    const auto point = [w, h](double x, double y) {
        return QPointF(plotToPixel(float(x), w), plotToPixel(float(y), h));
    };
    // Only the samples whose segments reach into the view: all of them at rest.
    const int first = std::max(1, int(std::floor(view.start)));
    const int last = std::min(kLogSamples, int(std::ceil(view.end())) + 1);
    const auto curves = [&](const RunLog &run, QRgb voltColour, QRgb curColour) {
        for (int n = first; n <= last; ++n) {
            const double x = sampleToPlotX(n, W, view);
            const double prevX = n == 1 ? sampleToPlotX(0, W, view) : sampleToPlotX(n - 1, W, view);
            const int p = n == 1 ? n : n - 1;
            const float volt = run.RunVolt(n);
            if (volt != kEmptySample)
                curve(point(prevX, voltToPlotY(run.RunVolt(p), H)), point(x, voltToPlotY(volt, H)), voltColour);
            const float cur = run.RunCur(n);
            if (cur != kEmptySample)
                curve(point(prevX, curToPlotY(run.RunCur(p), H)), point(x, curToPlotY(cur, H)), curColour);
        }
    };
    // The compared run lies under the run of the window.
    if (options.comparison)
        curves(*options.comparison, kVoltCompareColour.rgb(), kCurCompareColour.rgb());
    curves(log, options.voltColour.rgb(), options.curColour.rgb());
}

} // namespace

void renderGraph(QImage &image, const RunLog &log, const GraphOptions &options)
{
    const int w = image.width();
    const int h = image.height();
    if (w <= 0 || h <= 0)
        return;

    image.fill(kPlotBackground); // wipes everything drawn before
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32
        && image.format() != QImage::Format_ARGB32_Premultiplied)
        image.convertTo(QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kGridColour, 1, Qt::SolidLine, Qt::SquareCap));
    // The grid strokes all come before the first curve stroke: the painter
    // is done by then, and the curves go straight into the pixels.
    traceGraph(
        w, h, log, options, [&painter](const QLineF &l) { painter.drawLine(l); },
        [&image, &painter](QPointF from, QPointF to, QRgb colour) {
            if (painter.isActive())
                painter.end();
            drawThickLine(image, from, to, colour);
        });
}

void tracePlot(QSize size, const RunLog &log, const GraphOptions &options,
               const std::function<void(const QLineF &)> &grid,
               const std::function<void(QPointF, QPointF, QRgb)> &curve)
{
    traceGraph(std::max(1, size.width()), std::max(1, size.height()), log, options, grid,
               [&curve](QPointF from, QPointF to, QRgb colour) {
                   if (std::isfinite(from.x()) && std::isfinite(from.y()) && std::isfinite(to.x())
                       && std::isfinite(to.y()))
                       curve(from, to, colour);
               });
}

} // namespace vq
