#pragma once

// Draws the run-data graph: background, voltage and current grid, time grid
// and the two curves, into an image the size of the inside of the plot area.
// Everything is worked out in twips on fixed axes (the view's seconds over
// the width, 0..540 s at rest, 0..10.01 V and 0..300.33 A over the height)
// and turned into pixels at the drawing call. Nothing is drawn incrementally: each call repaints the whole
// image from the log.

#include "runlog/runlog.h"
#include "runlog/timeview.h"

#include <QColor>
#include <QLineF>

#include <functional>

class QImage;
class QSize;

namespace vq {

inline const QColor kVoltColour{0, 0, 255};   // battery voltage: curve and legend line
inline const QColor kCurColour{192, 0, 192};  // motor current: curve and legend line
inline const QColor kPlotBackground{224, 224, 224};
inline const QColor kGridColour{128, 128, 128};
// A second run shown for comparison: lighter shades of the same two colours,
// halfway to white.
inline const QColor kVoltCompareColour{128, 128, 255};
inline const QColor kCurCompareColour{224, 128, 224};

struct GraphOptions
{
    bool voltScaleLine = false; // voltage grid across the plot, else 70-twip ticks
    bool curScaleLine = false;  // current grid across the plot, else ticks
    QColor voltColour = kVoltColour; // taken from the voltage legend line
    QColor curColour = kCurColour;   // taken from the current legend line
    TimeView view;                   // the seconds across the plot
    // A second run drawn under the first in the lighter shades; none at rest.
    const RunLog *comparison = nullptr;
};

// Plot coordinates of the curves: voltage and current to y, sample to x, for
// an inside of W x H twips (rounded half to even, as drawn).
[[nodiscard]] double voltToPlotY(float volts, double H);
[[nodiscard]] double curToPlotY(float amperes, double H);
[[nodiscard]] double sampleToPlotX(int n, double W, const TimeView &view = {});

// Repaints `image` entirely. An image of no pixels is left alone.
void renderGraph(QImage &image, const RunLog &log, const GraphOptions &options);

// The strokes renderGraph draws into a plot of `size` pixels, in its order
// and pixel coordinates: first the grid, one-pixel lines with square caps
// through the pixels their end points name, then the curves, two pixels
// wide, each in its colour. Curve lines with no finite course are left out.
// The SVG picture is written from them.
void tracePlot(QSize size, const RunLog &log, const GraphOptions &options,
               const std::function<void(const QLineF &)> &grid,
               const std::function<void(QPointF, QPointF, QRgb)> &curve);

} // namespace vq
