#pragma once

// The run-data graph as a picture, without a window: the plot drawn exactly
// as the log window draws it, with the two value scales, the time labels of
// the view shown and the axis titles round it where the window has them.
// "Save Graph as Picture…", "Copy Graph" and `vq530t-link plot` make it.
//
// The picture is described once (its filled rectangles, texts and colours,
// and where the plot goes); the PNG painter and the SVG writer both draw
// from that description, so scales and titles come out the same in both.

#include "logwindow/graphrenderer.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

namespace vq {

inline const QColor kPictureBackground{255, 255, 255};
inline const QColor kPictureText{0, 0, 0};
inline const QColor kPictureFrame{64, 64, 64}; // round the plot, where the window has its border
// The texts' size, and their baseline below the top of the label they stand
// for in the window.
inline constexpr int kPictureFontPixels = 11;
inline constexpr int kPictureBaseline = 10;

struct PictureRect
{
    QRect rect;
    QColor colour;
};

// A line of text, in kPictureText: `at` is the baseline's left end, middle
// or right end, as `alignment` (Qt::AlignLeft, AlignHCenter or AlignRight)
// says.
struct PictureText
{
    QPointF at;
    Qt::Alignment alignment;
    QString text;
};

struct GraphPictureDescription
{
    QSize size;
    QRect plot; // the graph's place: the inside of the window's plot area
    GraphOptions options;
    QList<PictureRect> rects; // the plot's frame and the legend lines
    QList<PictureText> texts; // scales, time labels and axis titles
};

// The picture of a window of outer size `size` pixels (an empty size: the
// loading size), laid out as the window lays itself out.
[[nodiscard]] GraphPictureDescription describeGraphPicture(QSize size, const GraphOptions &options);

// The log window's outer size when it opens: the picture's default size.
[[nodiscard]] QSize graphPictureLoadingSize();

[[nodiscard]] QImage paintGraphPicture(const GraphPictureDescription &picture, const RunLog &log);
[[nodiscard]] QByteArray graphPictureSvg(const GraphPictureDescription &picture, const RunLog &log);

// The whole picture at `size` (an empty size: the loading size).
[[nodiscard]] QImage graphPicture(const RunLog &log, QSize size, const GraphOptions &options);

// The picture as the bytes of a PNG file; empty when it can't be encoded
// (an image of no pixels).
[[nodiscard]] QByteArray pngBytes(const QImage &image);

// Saves the picture with the window's colours and the given scale lines: the
// SVG that Save Graph as Picture writes for a name ending in .svg, else a
// PNG; `path` is replaced only once the whole picture is written. False when
// nothing could be saved, with why in `reason`.
[[nodiscard]] bool saveGraphPicture(const RunLog &log, QSize size, bool voltScaleLine, bool curScaleLine,
                                    const QString &path, QString *reason = nullptr);

} // namespace vq
