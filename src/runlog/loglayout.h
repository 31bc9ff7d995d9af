#pragma once

// Geometry of the log window Log Data, worked out in twips (1/1440 inch,
// 15 twips to the pixel at 96 dots per inch) as the window has always been
// laid out, and turned into pixels only where a widget is placed or a line
// is drawn.
//
// "Outer size" is the size of the window including the frame that the window
// system draws round it (QWidget::frameGeometry). Where the platform reports
// no frame (offscreen, or an X11 window before the window manager has framed
// it) the outer size is the client size.

#include "core/twips.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QStringList>

#include <array>
#include <optional>

namespace vq {


// Loading place and size, and the smallest outer size the window keeps.
inline constexpr double kLogLeftOfMain = 2000;
inline constexpr QSizeF kLogLoadSize{7000, 5200};
inline constexpr QSizeF kLogMinimumSize{5070, 4600};

// The plot area's sunken border, on each side.
inline constexpr double kPicLogBorder = 30;

// Design rectangles of the fixed controls (left, top, width, height). The
// rectangles of the legend frames' children are relative to their frame.
inline constexpr QRectF kFrame2Rect{120, 180, 1395, 675};
inline constexpr QRectF kFrame1Rect{3420, 180, 1395, 690};
inline constexpr QRectF kChkScaleLineRect{180, 360, 1155, 255};
inline constexpr QPointF kLegendLineFrom{180, 300};
inline constexpr QPointF kLegendLineTo{1080, 300};
inline constexpr QRectF kCmdCloseRect{1680, 300, 1575, 495};
inline constexpr QPointF kPicLogPlace{540, 1020};
inline constexpr QSizeF kAxisLabelSize{435, 195};   // LblVolt, LblCur, LblS
inline constexpr QSizeF kLblTimeSize{675, 195};
inline constexpr QRectF kTxtLogRect{3840, 1260, 555, 585};

inline constexpr int kVoltLabels = 11; // 0, 1.0 ... 10.0
inline constexpr int kCurLabels = 7;   // 0, 50 ... 300
inline constexpr int kTimeLabels = 10; // 0, 60 ... 540

// Where the controls that follow the window's size go, in twips relative to
// the inside of the window. Label entries are top-left corners.
struct LogLayout
{
    QRectF CmdClose;
    QRectF Frame1;
    QRectF PicLog; // outer rectangle, border included
    std::array<QPointF, kVoltLabels> LblVolt{};
    std::array<QPointF, kCurLabels> LblCur{};
    std::array<QPointF, kTimeLabels> LblS{};
    QPointF LblTime;
};

// The size rules: the outer size the window must be given before it can be
// laid out (first the width, then the height, one at a time), or nothing
// when `outer` already fits.
[[nodiscard]] std::optional<QSizeF> logSizeCorrection(QSizeF outer);

// Control layout for a window of this outer size. The labels follow the plot
// area as it is actually placed, so `picLogOuter` is the plot area's real
// outer size (which may differ from the ideal by the pixel rounding); pass
// an empty size to use the ideal one.
[[nodiscard]] LogLayout logLayout(QSizeF outer, QSizeF picLogOuter = {});

// Left edge of a time label centred under the line at `fraction` of the
// plot's width (0 left, 1 right), for a zoomed time axis; at rest the labels
// stand where logLayout puts them.
[[nodiscard]] double timeLabelLeft(double picLogOuterWidth, double fraction);

// Axis label captions made when the window loads: each label is the one
// before it plus the step (0, 1.0 ... 10.0 with one decimal; 0, 50 ... 300;
// 0, 60 ... 540).
[[nodiscard]] QStringList voltLabelCaptions();
[[nodiscard]] QStringList curLabelCaptions();
[[nodiscard]] QStringList timeLabelCaptions();

// The plot's coordinates 0..extent (twips, both edges included) spread over
// pixel positions 0..pixels-1, so that lines on the right and bottom edges
// (the 0 V and 0 A grid lines, a line at W) land on the last pixel instead of
// one past it. Pointer positions come back through the inverse, so a curve
// point and the read-out under it agree.
[[nodiscard]] double plotToPixel(double twips, int pixels);
[[nodiscard]] double pixelToPlot(double pixel, int pixels);

} // namespace vq
