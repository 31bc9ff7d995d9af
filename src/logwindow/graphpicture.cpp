#include "logwindow/graphpicture.h"

#include "core/messages.h"
#include "platform/safewrite.h"
#include "runlog/loglayout.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace vq {

namespace {

// Between the legend line and its axis title.
constexpr int kTitleGap = 6;

QFont pictureFont()
{
    QFont font;
    font.setPixelSize(kPictureFontPixels);
    return font;
}

QByteArray svgNumber(double v)
{
    return QByteArray::number(std::round(v * 100) / 100, 'g', 10);
}

QByteArray svgColour(const QColor &colour)
{
    return colour.name(QColor::HexRgb).toLatin1();
}

QByteArray svgRect(const QRect &r)
{
    return "x=\"" + QByteArray::number(r.x()) + "\" y=\"" + QByteArray::number(r.y()) + "\" width=\""
           + QByteArray::number(r.width()) + "\" height=\"" + QByteArray::number(r.height()) + '"';
}

} // namespace

QSize graphPictureLoadingSize()
{
    return QSize(pixelsFromTwips(kLogLoadSize.width()), pixelsFromTwips(kLogLoadSize.height()));
}

GraphPictureDescription describeGraphPicture(QSize size, const GraphOptions &options)
{
    GraphPictureDescription d;
    d.size = size.isEmpty() ? graphPictureLoadingSize() : size;
    d.options = options;

    // Placed as the window places its controls at this outer size: the plot
    // area first, then the labels after the plot area's pixel rounding.
    const QSizeF outer(d.size.width() * kTwipsPerPixel, d.size.height() * kTwipsPerPixel);
    const LogLayout layout = logLayout(outer);
    const QRect area(pixelPoint(layout.PicLog.topLeft()),
                     QSize(std::max(0, pixelsFromTwips(layout.PicLog.width())),
                           std::max(0, pixelsFromTwips(layout.PicLog.height()))));
    const int border = pixelsFromTwips(kPicLogBorder);
    d.plot = QRect(area.topLeft() + QPoint(border, border),
                   QSize(std::max(0, area.width() - 2 * border), std::max(0, area.height() - 2 * border)));
    const QRect &p = d.plot;
    d.rects = {{QRect(p.left() - 1, p.top() - 1, p.width() + 2, 1), kPictureFrame},
               {QRect(p.left() - 1, p.bottom() + 1, p.width() + 2, 1), kPictureFrame},
               {QRect(p.left() - 1, p.top(), 1, p.height()), kPictureFrame},
               {QRect(p.right() + 1, p.top(), 1, p.height()), kPictureFrame}};

    const LogLayout labels = logLayout(outer, QSizeF(area.width() * kTwipsPerPixel, area.height() * kTwipsPerPixel));
    const int labelWidth = pixelsFromTwips(kAxisLabelSize.width());
    const auto text = [&d](QPoint labelTop, double x, Qt::Alignment alignment, const QString &caption) {
        d.texts.append({QPointF(x, labelTop.y() + kPictureBaseline), alignment, caption});
    };
    // The voltage labels right-aligned in their column, the current labels
    // from the left edge of theirs, the time labels centred.
    const QStringList volts = voltLabelCaptions();
    for (int i = 0; i < kVoltLabels; ++i) {
        const QPoint at = pixelPoint(labels.LblVolt[size_t(i)]);
        text(at, at.x() + labelWidth, Qt::AlignRight, volts.value(i));
    }
    const QStringList amperes = curLabelCaptions();
    for (int i = 0; i < kCurLabels; ++i) {
        const QPoint at = pixelPoint(labels.LblCur[size_t(i)]);
        text(at, at.x(), Qt::AlignLeft, amperes.value(i));
    }
    const TimeView &view = options.view;
    if (view.isWhole()) {
        const QStringList seconds = timeLabelCaptions();
        for (int i = 0; i < kTimeLabels; ++i) {
            const QPoint at = pixelPoint(labels.LblS[size_t(i)]);
            text(at, at.x() + labelWidth / 2.0, Qt::AlignHCenter, seconds.value(i));
        }
    } else {
        for (const int second : timeLabelSeconds(view)) {
            const QPoint at = pixelPoint(QPointF(timeLabelLeft(area.width() * kTwipsPerPixel, view.fractionOf(second)),
                                                 labels.LblS[0].y()));
            text(at, at.x() + labelWidth / 2.0, Qt::AlignHCenter, QString::number(second));
        }
    }
    const QPoint time = pixelPoint(labels.LblTime);
    text(time, time.x() + pixelsFromTwips(kLblTimeSize.width()) / 2.0, Qt::AlignHCenter, kTitleTime);

    // The legend lines where the window has them, in the curves' colours,
    // each beside its axis title: the voltage's on the left, the current's
    // on the right, the titles between them.
    const QPoint lineFrom = pixelPoint(kLegendLineFrom) - QPoint(0, 1);
    const QSize lineSize(pixelsFromTwips(kLegendLineTo.x() - kLegendLineFrom.x()), 2);
    const QRect voltLine(pixelPoint(kFrame2Rect.topLeft()) + lineFrom, lineSize);
    const QRect curLine(pixelPoint(layout.Frame1.topLeft()) + lineFrom, lineSize);
    d.rects.append({voltLine, options.voltColour});
    d.rects.append({curLine, options.curColour});
    const int titleBaseline = voltLine.top() + 1 + kPictureFontPixels / 3;
    d.texts.append({QPointF(voltLine.right() + 1 + kTitleGap, titleBaseline), Qt::AlignLeft, kTitleVoltage});
    d.texts.append({QPointF(curLine.left() - kTitleGap, titleBaseline), Qt::AlignRight, kTitleCurrent});
    return d;
}

QImage paintGraphPicture(const GraphPictureDescription &picture, const RunLog &log)
{
    QImage image(picture.size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(kPictureBackground);
    // The plot exactly as the window draws it.
    if (!picture.plot.isEmpty()) {
        QImage plot(picture.plot.size(), QImage::Format_RGB32);
        renderGraph(plot, log, picture.options);
        QPainter(&image).drawImage(picture.plot.topLeft(), plot);
    }
    QPainter painter(&image);
    for (const PictureRect &r : picture.rects)
        painter.fillRect(r.rect, r.colour);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(pictureFont());
    painter.setPen(kPictureText);
    const QFontMetricsF metrics(painter.font());
    for (const PictureText &t : picture.texts) {
        const double width = metrics.horizontalAdvance(t.text);
        const double left = t.alignment & Qt::AlignRight     ? t.at.x() - width
                            : t.alignment & Qt::AlignHCenter ? t.at.x() - width / 2
                                                             : t.at.x();
        painter.drawText(QPointF(left, t.at.y()), t.text);
    }
    return image;
}

QByteArray graphPictureSvg(const GraphPictureDescription &picture, const RunLog &log)
{
    const QByteArray w = QByteArray::number(picture.size.width());
    const QByteArray h = QByteArray::number(picture.size.height());
    QByteArray svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h
                     + "\" viewBox=\"0 0 " + w + ' ' + h + "\">\n";
    svg += "<rect width=\"" + w + "\" height=\"" + h + "\" fill=\"" + svgColour(kPictureBackground) + "\"/>\n";

    if (!picture.plot.isEmpty()) {
        // The plot's strokes in its own pixels, moved to its place and kept
        // inside it as the window's plot area keeps them.
        const QRect &p = picture.plot;
        svg += "<clipPath id=\"plot\"><rect width=\"" + QByteArray::number(p.width()) + "\" height=\""
               + QByteArray::number(p.height()) + "\"/></clipPath>\n";
        svg += "<g transform=\"translate(" + QByteArray::number(p.x()) + ' ' + QByteArray::number(p.y())
               + ")\" clip-path=\"url(#plot)\">\n";
        svg += "<rect width=\"" + QByteArray::number(p.width()) + "\" height=\"" + QByteArray::number(p.height())
               + "\" fill=\"" + svgColour(kPlotBackground) + "\"/>\n";
        QByteArray grid;
        // One path per colour, in the order the colours are first drawn.
        QList<std::pair<QRgb, QByteArray>> curves;
        const auto xy = [](QPointF q) { return svgNumber(q.x()) + ' ' + svgNumber(q.y()); };
        tracePlot(
            p.size(), log, picture.options,
            [&](const QLineF &l) {
                // A one-pixel line fills the pixels its end points name.
                grid += "\nM" + xy(l.p1() + QPointF(0.5, 0.5)) + 'L' + xy(l.p2() + QPointF(0.5, 0.5));
            },
            [&](QPointF from, QPointF to, QRgb colour) {
                auto it = std::find_if(curves.begin(), curves.end(), [colour](const auto &c) { return c.first == colour; });
                if (it == curves.end())
                    it = curves.insert(curves.end(), {colour, QByteArray()});
                it->second += "\nM" + xy(from) + 'L' + xy(to);
            });
        svg += "<path fill=\"none\" stroke=\"" + svgColour(kGridColour)
               + "\" stroke-width=\"1\" stroke-linecap=\"square\" d=\"" + grid + "\"/>\n";
        for (const auto &[colour, d] : curves)
            svg += "<path fill=\"none\" stroke=\"" + svgColour(QColor(colour))
                   + "\" stroke-width=\"2\" stroke-linecap=\"round\" stroke-linejoin=\"round\" d=\"" + d + "\"/>\n";
        svg += "</g>\n";
    }

    for (const PictureRect &r : picture.rects)
        svg += "<rect " + svgRect(r.rect) + " fill=\"" + svgColour(r.colour) + "\"/>\n";
    svg += "<g font-family=\"sans-serif\" font-size=\"" + QByteArray::number(kPictureFontPixels) + "\" fill=\""
           + svgColour(kPictureText) + "\">\n";
    for (const PictureText &t : picture.texts) {
        const char *anchor = t.alignment & Qt::AlignRight ? "end" : t.alignment & Qt::AlignHCenter ? "middle" : "start";
        svg += "<text x=\"" + svgNumber(t.at.x()) + "\" y=\"" + svgNumber(t.at.y()) + "\" text-anchor=\"" + anchor
               + "\">" + t.text.toHtmlEscaped().toUtf8() + "</text>\n";
    }
    svg += "</g>\n</svg>\n";
    return svg;
}

QImage graphPicture(const RunLog &log, QSize size, const GraphOptions &options)
{
    return paintGraphPicture(describeGraphPicture(size, options), log);
}

bool saveGraphPicture(const RunLog &log, QSize size, bool voltScaleLine, bool curScaleLine, const QString &path,
                      QString *reason)
{
    GraphOptions options;
    options.voltScaleLine = voltScaleLine;
    options.curScaleLine = curScaleLine;
    const GraphPictureDescription picture = describeGraphPicture(size, options);
    const QByteArray content = path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)
                                   ? graphPictureSvg(picture, log)
                                   : pngBytes(paintGraphPicture(picture, log));
    if (content.isEmpty()) {
        if (reason)
            *reason = QStringLiteral("the picture could not be made");
        return false;
    }
    return writeFileAtomically(path, content, reason);
}

QByteArray pngBytes(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? png : QByteArray();
}

} // namespace vq
