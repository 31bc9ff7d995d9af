#include "runlog/graphpicture.h"

#include "platform/safewrite.h"
#include "runlog/loglayout.h"

#include <QBuffer>

namespace vq {

QSize graphPictureLoadingSize()
{
    // The window's outer size at load, in whole pixels, laid out as the window
    // lays itself out; the plot's border is not part of the picture.
    const QSizeF outer(pixelsFromTwips(kLogLoadSize.width()) * kTwipsPerPixel,
                       pixelsFromTwips(kLogLoadSize.height()) * kTwipsPerPixel);
    const QRectF plot = logLayout(outer).PicLog;
    const int border = 2 * pixelsFromTwips(kPicLogBorder);
    return QSize(pixelsFromTwips(plot.width()) - border, pixelsFromTwips(plot.height()) - border);
}

QImage graphPicture(const RunLog &log, QSize size, const GraphOptions &options)
{
    QImage image(size.isEmpty() ? graphPictureLoadingSize() : size, QImage::Format_RGB32);
    renderGraph(image, log, options);
    return image;
}

bool saveGraphPicture(const RunLog &log, QSize size, bool voltScaleLine, bool curScaleLine, const QString &path)
{
    GraphOptions options;
    options.voltScaleLine = voltScaleLine;
    options.curScaleLine = curScaleLine;
    const QByteArray png = pngBytes(graphPicture(log, size, options));
    return !png.isEmpty() && writeFileAtomically(path, png);
}

QByteArray pngBytes(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? png : QByteArray();
}

} // namespace vq
