#pragma once

// Window geometry is laid out in twips (1/1440 inch), 15 to a pixel at 96
// dots per inch, and turned into pixels only where a widget is placed or a
// line is drawn.

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>

#include <algorithm>
#include <cmath>

namespace vq {

inline constexpr double kTwipsPerPixel = 15.0;

// Pixels for a length or position in twips: the nearest pixel, a half going up.
[[nodiscard]] inline int pixelsFromTwips(double twips)
{
    return int(std::floor(twips / kTwipsPerPixel + 0.5));
}

// The smallest whole number of pixels that covers `twips`.
[[nodiscard]] inline int pixelsCovering(double twips)
{
    return int(std::ceil(twips / kTwipsPerPixel));
}

// A rectangle in twips in pixels: each edge and length to the nearest pixel,
// a negative length none.
[[nodiscard]] inline QRect pixelRect(const QRectF &twips)
{
    return QRect(pixelsFromTwips(twips.left()), pixelsFromTwips(twips.top()),
                 std::max(0, pixelsFromTwips(twips.width())), std::max(0, pixelsFromTwips(twips.height())));
}

[[nodiscard]] inline QPoint pixelPoint(const QPointF &twips)
{
    return QPoint(pixelsFromTwips(twips.x()), pixelsFromTwips(twips.y()));
}

[[nodiscard]] inline QSizeF twipsOf(const QSize &pixels)
{
    return QSizeF(pixels.width() * kTwipsPerPixel, pixels.height() * kTwipsPerPixel);
}

// Places a widget at its design rectangle in twips: every window places its
// controls through this one rule. (A template, so this layer needs no widgets.)
template <typename Widget>
void place(Widget *widget, const QRectF &twips)
{
    widget->setGeometry(pixelRect(twips));
}

template <typename Widget>
void place(Widget *widget, double left, double top, double width, double height)
{
    place(widget, QRectF(left, top, width, height));
}

} // namespace vq
