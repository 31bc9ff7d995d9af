#pragma once

// The run-data graph as a picture, without a window: drawn exactly as the log
// window draws its plot, at any size. `vq530t-link plot` saves it as PNG.

#include "runlog/graphrenderer.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace vq {

// The size of the log window's plot (the inside of its border) when the
// window opens at its loading size.
[[nodiscard]] QSize graphPictureLoadingSize();

// The graph at `size` (an empty size: the loading size).
[[nodiscard]] QImage graphPicture(const RunLog &log, QSize size, const GraphOptions &options);

// The picture as the bytes of a PNG file; empty when it can't be encoded
// (an image of no pixels).
[[nodiscard]] QByteArray pngBytes(const QImage &image);

// Saves the graph as a PNG file, the window's colours and the given scale
// lines, replacing `path` only once the whole picture is written. False when
// nothing could be saved.
[[nodiscard]] bool saveGraphPicture(const RunLog &log, QSize size, bool voltScaleLine, bool curScaleLine,
                                    const QString &path);

} // namespace vq
