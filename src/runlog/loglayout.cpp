#include "runlog/loglayout.h"

#include "core/conversions.h"

#include <cmath>

namespace vq {

std::optional<QSizeF> logSizeCorrection(QSizeF outer)
{
    // Width first: the corrected size comes back as a new size change, which
    // then looks at the height.
    if (outer.width() < kLogMinimumSize.width())
        return QSizeF(kLogMinimumSize.width(), outer.height());
    if (outer.height() < kLogMinimumSize.height())
        return QSizeF(outer.width(), kLogMinimumSize.height());
    return std::nullopt;
}

LogLayout logLayout(QSizeF outer, QSizeF picLogOuter)
{
    LogLayout l;
    const double w = outer.width();
    const double h = outer.height();

    l.CmdClose = QRectF(w / 2 - kCmdCloseRect.width() / 2, kCmdCloseRect.top(), kCmdCloseRect.width(),
                        kCmdCloseRect.height());
    l.Frame1 = QRectF(w - kFrame1Rect.width() - 210, kFrame1Rect.top(), kFrame1Rect.width(),
                      kFrame1Rect.height());
    const double left = kPicLogPlace.x();
    const double top = kPicLogPlace.y();
    l.PicLog = QRectF(left, top, w - 2 * left - 120, h - top - 1080);

    const QSizeF pic = picLogOuter.isEmpty() ? l.PicLog.size() : picLogOuter;
    const double picW = pic.width();
    const double picH = pic.height();

    // Each value label stands 65 twips above its grid line so that its text
    // is centred on the line; the voltage column stays at the window's left.
    for (int i = 0; i < kVoltLabels; ++i)
        l.LblVolt[size_t(i)] = QPointF(0, (picH - 50) * (10 - i) / 10 + top - 65);

    const double curLeft = left + picW + 120;
    for (int i = 0; i < kCurLabels; ++i)
        l.LblCur[size_t(i)] = QPointF(curLeft, (picH - 50) * (6 - i) / 6 + top - 65);

    l.LblTime = QPointF(left + picW / 2 - kLblTimeSize.width() / 2, top + picH + 300);

    // Time labels centred under their minute lines, 60 s apart.
    const double timeTop = top + picH + 60;
    for (int i = 0; i < kTimeLabels; ++i)
        l.LblS[size_t(i)] = QPointF((picW - 30) * i / 9 + left - kAxisLabelSize.width() / 2 + 40, timeTop);
    return l;
}

double timeLabelLeft(double picLogOuterWidth, double fraction)
{
    return (picLogOuterWidth - 30) * fraction + kPicLogPlace.x() - kAxisLabelSize.width() / 2 + 40;
}

namespace {

QStringList stepCaptions(int count, double step, bool oneDecimal)
{
    QStringList captions{QStringLiteral("0")};
    for (int i = 1; i < count; ++i) {
        const double value = Val(captions.last()) + step;
        captions << (oneDecimal ? QString::number(roundHalfAway(value, 1), 'f', 1)
                                : shortestText(float(value)));
    }
    return captions;
}

} // namespace

QStringList voltLabelCaptions()
{
    return stepCaptions(kVoltLabels, 1, true);
}

QStringList curLabelCaptions()
{
    return stepCaptions(kCurLabels, 50, false);
}

QStringList timeLabelCaptions()
{
    return stepCaptions(kTimeLabels, 60, false);
}

double plotToPixel(double twips, int pixels)
{
    if (pixels <= 1)
        return 0;
    return twips * (pixels - 1) / (pixels * kTwipsPerPixel);
}

double pixelToPlot(double pixel, int pixels)
{
    if (pixels <= 1)
        return 0;
    return pixel * (pixels * kTwipsPerPixel) / (pixels - 1);
}

} // namespace vq
