#include "runlog/graphreadout.h"

#include "core/conversions.h"

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

// The time axis: 0 s at the left edge of the inside of the plot, 540 s at
// the right; the inside is the outer width less the two 30-twip borders.
constexpr float kSecondsAcross = 540.0f;

float insideTwips(double picLogOuterWidth)
{
    return float(picLogOuterWidth - 2 * 30);
}

QString sampleText(float value)
{
    return value == kEmptySample ? QString() : shortestText(value);
}

} // namespace

GraphReadOut graphReadOut(float x, float y, double picLogOuterWidth, double picLogOuterHeight,
                          const RunLog &log)
{
    // Single precision throughout, as the pointer positions are delivered.
    const float tf = x / insideTwips(picLogOuterWidth) * kSecondsAcross;
    const float pf = y / float(picLogOuterHeight - 2 * 30) * 100.0f;

    GraphReadOut r;
    r.t = wholeOrZero(tf);
    r.p = wholeOrZero(pf);
    // A NaN (zero-sized plot) gives 0 and so is hidden like the left edge.
    r.visible = r.t >= 1 && r.t <= kLogSamples && r.p >= 1 && r.p <= 99;
    if (r.visible) {
        r.text = QString::number(r.t) + QStringLiteral("s\r\n") + sampleText(log.RunVolt(r.t))
                 + QStringLiteral("V\r\n") + sampleText(log.RunCur(r.t)) + QStringLiteral("A");
    }
    return r;
}

float secondToPlotX(int t, double picLogOuterWidth)
{
    return float(t) / kSecondsAcross * insideTwips(picLogOuterWidth);
}

} // namespace vq
