#pragma once

// The read-out that follows the pointer over the graph: the second under the
// pointer and the voltage and current of that sample.

#include "runlog/runlog.h"
#include "runlog/timeview.h"

#include <QString>

namespace vq {

struct GraphReadOut
{
    int t = 0;             // second under the pointer (0 when not a number)
    int p = 0;             // pointer height in percent of the plot, from the top
    bool visible = false;  // false: the read-out box is hidden
    QString text;          // "120s\r\n7.8V\r\n150A" when visible, else empty
    // With a compared run: its two values, "7.6V\r\n140A", else empty.
    QString comparisonText;
};

// Read-out for the pointer at (x, y), in twips from the top-left of the
// inside of the plot area whose outer size (border included) is given.
// Hidden for t < 1, t > 512, p < 1 or p > 99; an empty slot gives its unit
// alone ("V", "A"). The plot shows the seconds of `view`.
[[nodiscard]] GraphReadOut graphReadOut(float x, float y, double picLogOuterWidth,
                                        double picLogOuterHeight, const RunLog &log,
                                        const TimeView &view = {}, const RunLog *comparison = nullptr);

// The x position, in twips from the left of the inside of the plot, that the
// read-out above reads as second t. Seconds and plot positions meet only
// through this pair: the keyboard cursor, its line and the pointer read-out
// agree on every second.
[[nodiscard]] float secondToPlotX(int t, double picLogOuterWidth, const TimeView &view = {});

} // namespace vq
