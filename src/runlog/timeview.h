#pragma once

// The part of the run the graph shows: a stretch of the time axis, from
// `start` seconds at the plot's left edge over `span` seconds to its right
// edge. At rest the whole axis, 0 to 540 s, is shown; the mouse wheel zooms
// down to 10 seconds across the plot and a drag pans along the run.

#include <QList>

namespace vq {

inline constexpr double kWholeSpan = 540;  // seconds across the plot at rest
inline constexpr double kMinimumSpan = 10; // the closest zoom

struct TimeView
{
    double start = 0;
    double span = kWholeSpan;

    [[nodiscard]] bool isWhole() const { return start == 0 && span == kWholeSpan; }
    [[nodiscard]] double end() const { return start + span; }
    // The second at `fraction` (0 left edge, 1 right edge) of the plot.
    [[nodiscard]] double secondAt(double fraction) const { return start + fraction * span; }
    // Where second `t` lies across the plot, 0 at the left edge.
    [[nodiscard]] double fractionOf(double t) const { return (t - start) / span; }

    bool operator==(const TimeView &) const = default;
};

// The span kept to 10..540 s and the view kept on the axis; anything that is
// no finite number gives the whole axis.
[[nodiscard]] TimeView boundedView(TimeView view);

// Zoomed by `factor` (below 1 closer, above 1 farther) so that the second at
// `fraction` of the plot stays where it is, as far as the bounds allow.
[[nodiscard]] TimeView zoomedView(TimeView view, double fraction, double factor);

// Moved along the axis by `fraction` of the plot's width: positive shows
// later seconds.
[[nodiscard]] TimeView pannedView(TimeView view, double fraction);

// The view moved the least distance that puts second `t` inside it.
[[nodiscard]] TimeView viewShowing(TimeView view, double t);

// Seconds between two labels of the time axis: the smallest of 1, 2, 5, 10,
// 15, 20, 30 and 60 s that puts at most ten labels on the plot (60 s for the
// whole axis, the labels the window has at rest).
[[nodiscard]] int timeLabelStep(TimeView view);

// The labelled seconds of the view: the whole multiples of the step from the
// left edge to the right edge, both included.
[[nodiscard]] QList<int> timeLabelSeconds(TimeView view);

} // namespace vq
