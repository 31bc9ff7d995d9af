#include "shell/programicon.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>

namespace vq {

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        // In the drawing's own 256-unit square.
        painter.scale(size / 256.0, size / 256.0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x14, 0x28, 0x5a));
        painter.drawRoundedRect(QRectF(8, 8, 240, 240), 24, 24);
        QPen zigZag(QColor(0xfa, 0xc8, 0x28), 16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(zigZag);
        painter.setBrush(Qt::NoBrush);
        const QPointF points[] = {{40, 184}, {112, 88}, {144, 152}, {216, 72}};
        painter.drawPolyline(points, 4);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void setProgramIdentity()
{
    QGuiApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("vq530t-link"));
}

} // namespace vq
