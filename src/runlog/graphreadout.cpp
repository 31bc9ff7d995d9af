#include "runlog/graphreadout.h"

#include "core/conversions.h"
#include "runlog/loglayout.h"

#include <cmath>

namespace vq {

namespace {

// A rounded position as a whole number; anything that is no finite number or
// lies far outside the plot (a drag far off the window, an empty plot area)
// is kept out of the int range rather than converted.
int wholeOrZero(float value)
{
    const double r = roundHalfAway(double(value), 0);
    if (!std::isfinite(r))
        return 0;
    if (r > 1e6)
        return 1000000;
    if (r < -1e6)
        return -1000000;
    return int(r);
}

// The time axis: the view's first second at the left edge of the inside of
// the plot, its last at the right (0 and 540 s at rest); the inside is the
// outer width less the two borders.
float insideTwips(double picLogOuterWidth)
{
    return float(picLogOuterWidth - 2 * kPicLogBorder);
}

QString sampleText(float value)
{
    return value == kEmptySample ? QString() : shortestText(value);
}

} // namespace

GraphReadOut graphReadOut(float x, float y, double picLogOuterWidth, double picLogOuterHeight,
                          const RunLog &log, const TimeView &view, const RunLog *comparison)
{
    // Single precision throughout, as the pointer positions are delivered
    // (at rest the start adds nothing: 0 + x / inside * 540).
    const float tf = float(view.start) + x / insideTwips(picLogOuterWidth) * float(view.span);
    const float pf = y / float(picLogOuterHeight - 2 * kPicLogBorder) * 100.0f;

    GraphReadOut r;
    r.t = wholeOrZero(tf);
    r.p = wholeOrZero(pf);
    // A NaN (zero-sized plot) gives 0 and so is hidden like the left edge.
    r.visible = r.t >= 1 && r.t <= kLogSamples && r.p >= 1 && r.p <= 99;
    if (r.visible) {
        // "2.5V", a line end, "30A": the sample of a run at r.t.
        const auto sampleLines = [&r](const RunLog &run) {
            return sampleText(run.RunVolt(r.t)) + QStringLiteral("V\r\n") + sampleText(run.RunCur(r.t))
                   + QStringLiteral("A");
        };
        r.text = QString::number(r.t) + QStringLiteral("s\r\n") + sampleLines(log);
        if (comparison)
            r.comparisonText = sampleLines(*comparison);
    }
    return r;
}

float secondToPlotX(int t, double picLogOuterWidth, const TimeView &view)
{
    return (float(t) - float(view.start)) / float(view.span) * insideTwips(picLogOuterWidth);
}

} // namespace vq
