#include "runlog/timeview.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vq {

TimeView boundedView(TimeView view)
{
    if (!std::isfinite(view.start) || !std::isfinite(view.span))
        return {};
    view.span = std::clamp(view.span, kMinimumSpan, kWholeSpan);
    view.start = std::clamp(view.start, 0.0, kWholeSpan - view.span);
    return view;
}

TimeView zoomedView(TimeView view, double fraction, double factor)
{
    fraction = std::clamp(fraction, 0.0, 1.0);
    const double anchor = view.secondAt(fraction);
    TimeView zoomed;
    zoomed.span = std::clamp(view.span * factor, kMinimumSpan, kWholeSpan);
    zoomed.start = anchor - fraction * zoomed.span;
    zoomed = boundedView(zoomed);
    // Back at the whole axis exactly, so the graph is drawn as at rest.
    return zoomed.span == kWholeSpan ? TimeView{} : zoomed;
}

TimeView pannedView(TimeView view, double fraction)
{
    view.start += fraction * view.span;
    return boundedView(view);
}

TimeView viewShowing(TimeView view, double t)
{
    if (t < view.start)
        view.start = t;
    else if (t > view.end())
        view.start = t - view.span;
    return boundedView(view);
}

int timeLabelStep(TimeView view)
{
    static constexpr std::array<int, 8> kSteps{1, 2, 5, 10, 15, 20, 30, 60};
    for (int step : kSteps) {
        if (view.span / step <= 9 + 1e-9)
            return step;
    }
    return kSteps.back();
}

QList<int> timeLabelSeconds(TimeView view)
{
    const int step = timeLabelStep(view);
    QList<int> seconds;
    // A hair of slack keeps an edge second that rounding put just outside.
    const double first = std::ceil(view.start / step - 1e-9) * step;
    for (double s = first; s <= view.end() + 1e-9; s += step)
        seconds.append(int(std::lround(s)));
    return seconds;
}

} // namespace vq
